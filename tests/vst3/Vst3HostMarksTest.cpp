// What the face has to tell the host after the audio thread changed things the host
// cannot see (a MIDI learn completed, a program change in a block) waits for the host's
// user-interface thread: the face itself, with the project's host context as handler.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "delay/QuorvelDelayModel.h"
#include "host/vst3/Vst3Plugin.h"
#include "model/Model.h"
#include "tests/vst3/Vst3Fixture.h"
#include "tools/quorvel-host/Vst3HostContext.h"
#include "tools/quorvel-host/Vst3ParameterChanges.h"

namespace QuorvelTest {
namespace {

namespace Vst = Steinberg::Vst;

// One block of `changes` on a thread of its own, as a host's audio thread.
void ProcessOnAnotherThread(VstToolkit::Vst3Plugin& plugin, QuorvelHost::Vst3ParameterChanges& changes) {
  std::thread audio([&plugin, &changes] {
    StereoBlock input(64);
    StereoBlock output(64);
    Vst::AudioBusBuffers in{2, 0, {input.Channels()}};
    Vst::AudioBusBuffers out{2, 0, {output.Channels()}};
    QuorvelHost::Vst3ParameterChanges reported;
    Vst::ProcessData data{};
    data.processMode = Vst::kRealtime;
    data.symbolicSampleSize = Vst::kSample32;
    data.numSamples = 64;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &in;
    data.outputs = &out;
    data.inputParameterChanges = &changes;
    data.outputParameterChanges = &reported;
    plugin.process(data);
  });
  audio.join();
}

// A learn completed in a block marks the state dirty (IComponentHandler2::setDirty), a
// program changed in a block marks every parameter's value (restartComponent); neither
// is told from the audio thread, each once, on the next call the host makes on its
// user-interface thread.
TEST(Vst3HostMarks, AudioThreadNewsReachTheHandlerOnceOnTheUserInterfaceThread) {
  auto* plugin = new VstToolkit::Vst3Plugin(std::make_unique<QuorvelDelayModel>());
  QuorvelHost::Vst3HostContext host;
  ASSERT_EQ(plugin->initialize(static_cast<Vst::IHostApplication*>(&host)), Steinberg::kResultOk);
  ASSERT_EQ(plugin->setComponentHandler(&host), Steinberg::kResultOk);
  Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample32, 64, 44100.0};
  plugin->setupProcessing(setup);
  plugin->setActive(1);
  plugin->setProcessing(1);

  plugin->Core().GetModel().StartLearningMidi(6);
  QuorvelHost::Vst3ParameterChanges changes;
  changes.Add(ControllerId(0, 74), 10, 64 / 127.0);
  ProcessOnAnotherThread(*plugin, changes);
  ASSERT_FALSE(plugin->Core().GetModel().IsLearningMidi());
  changes.Clear();
  changes.Add(kProgramId, 0, 3 / 31.0);
  ProcessOnAnotherThread(*plugin, changes);
  EXPECT_TRUE(host.Edits().empty());

  plugin->getParamNormalized(0);
  plugin->getParamNormalized(0);
  const auto told = host.Edits();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0].kind, 'r');
  EXPECT_EQ(told[0].value, Vst::kParamValuesChanged);
  EXPECT_EQ(told[1].kind, 'd');
  EXPECT_EQ(told[1].value, 1.0);
  for (const auto& call : told) {
    EXPECT_EQ(call.thread, std::this_thread::get_id());
  }

  plugin->setProcessing(0);
  plugin->setActive(0);
  plugin->terminate();
  plugin->release();
}

}  // namespace
}  // namespace QuorvelTest
