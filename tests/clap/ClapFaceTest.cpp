// The face in process, for what only the core can set off: a MIDI learn completing on
// the audio thread reaches the host's state.mark_dirty on its main thread, by way of
// request_callback and on_main_thread, never from the audio thread.
#include <gtest/gtest.h>

#include <memory>

#include "delay/QuorvelDelayModel.h"
#include "host/clap/ClapPlugin.h"
#include "model/Model.h"
#include "tools/quorvel-host/ClapEventList.h"
#include "tools/quorvel-host/ClapHost.h"

namespace QuorvelTest {
namespace {

TEST(ClapFace, ALearnOnTheAudioThreadMarksTheStateDirtyOnTheMainThread) {
  QuorvelHost::ClapHost host;
  auto* face = new VstToolkit::ClapPlugin(host.Record(), nullptr, std::make_unique<QuorvelDelayModel>());
  const clap_plugin_t* plugin = face->Record();
  ASSERT_TRUE(plugin->init(plugin));
  ASSERT_TRUE(plugin->activate(plugin, 44100.0, 1, 512));
  face->Core().GetModel().StartLearningMidi(6);

  QuorvelHost::ClapEventList events;
  events.AddMidi(10, 0xB0, 74, 100);
  QuorvelHost::ClapEventList out;
  float left[64] = {};
  float right[64] = {};
  float* channels[2] = {left, right};
  clap_audio_buffer_t buffer{channels, nullptr, 2, 0, 0};
  const clap_process_t process{-1, 64, nullptr, &buffer, &buffer, 1, 1, events.Input(), out.Output()};
  {
    QuorvelHost::ClapHost::AudioCall audio;
    ASSERT_TRUE(plugin->start_processing(plugin));
    EXPECT_EQ(plugin->process(plugin, &process), CLAP_PROCESS_CONTINUE);
  }
  EXPECT_EQ(host.Requests(QuorvelHost::ClapHost::kCallback), 1);
  EXPECT_EQ(host.Requests(QuorvelHost::ClapHost::kDirty), 0);
  ASSERT_TRUE(host.TakeCallbackRequest());
  plugin->on_main_thread(plugin);
  EXPECT_EQ(host.Requests(QuorvelHost::ClapHost::kDirty), 1);
  plugin->on_main_thread(plugin);
  EXPECT_EQ(host.Requests(QuorvelHost::ClapHost::kDirty), 1);
  EXPECT_TRUE(host.Violations().empty());
  {
    QuorvelHost::ClapHost::AudioCall audio;
    plugin->stop_processing(plugin);
  }
  plugin->deactivate(plugin);
  plugin->destroy(plugin);
}

}  // namespace
}  // namespace QuorvelTest
