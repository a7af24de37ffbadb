// Processing: changes at any offset, flushes, block sizes, in-place buffers, MIDI mapping.
#include "tools/quorvel-host/Vst3ProcessingChecks.h"

#include <algorithm>
#include <string>

#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/Validator.h"
#include "tools/quorvel-host/BlockRunner.h"
#include "tools/quorvel-host/HostedVst3.h"
#include "tools/quorvel-host/Vst3CheckSupport.h"
#include "tools/quorvel-host/Vst3Instance.h"

namespace QuorvelHost {

namespace {

namespace Vst = Steinberg::Vst;

void RandomChanges(Validator& validator) {
  const char* check = "random parameter changes at any offset while processing";
  std::unique_ptr<Vst3Instance> plugin = validator.NewVst3Instance();
  if (plugin == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  const std::unique_ptr<HostedPlugin> hosted = HostedVst3::Borrow(*plugin);
  const std::vector<HostedParameter>& ids = hosted->Parameters();
  ChannelBuffers input(2, Validator::kBlockSize);
  ChannelBuffers output(2, Validator::kBlockSize);
  BlockRunner runner(*hosted, Validator::kBlockSize);
  uint32_t random = 4242u;
  int64_t changes = 0;
  int64_t bad = 0;
  for (int block = 0; block < 400 && !ids.empty(); ++block) {
    TestSignal::Noise(input, static_cast<uint32_t>(block), 0.5f, 0, Validator::kBlockSize);
    for (int n = 0; n < 3; ++n) {
      random = random * 1664525u + 1013904223u;
      const size_t index = (random >> 8) % ids.size();
      const auto offset = static_cast<int32_t>((random >> 4) % Validator::kBlockSize);
      hosted->QueueValue(index, ids[index].PlainOf(static_cast<double>(random >> 12) / 1048576.0), offset);
      ++changes;
    }
    runner.Run(input, output);
    bad += Vst3CheckSupport::BadSamples(output);
  }
  validator.Report(check, bad == 0 && !ids.empty(),
                   std::to_string(changes) + " changes over " + std::to_string(ids.size()) +
                       " automatable parameters, " + std::to_string(bad) + " samples not finite or subnormal");
}

void FlushApplies(Validator& validator) {
  const char* check = "a flush (no samples, no buffers) applies its changes";
  std::unique_ptr<Vst3Instance> plugin = validator.NewVst3Instance();
  if (plugin == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  int32_t applied = 0;
  int32_t asked = 0;
  for (const Vst::ParameterInfo& info : Vst3CheckSupport::Parameters(*plugin)) {
    if ((info.flags & (Vst::ParameterInfo::kIsHidden | Vst::ParameterInfo::kIsReadOnly)) != 0 ||
        (info.flags & Vst::ParameterInfo::kCanAutomate) == 0) {
      continue;
    }
    const double value = plugin->Controller()->getParamNormalized(info.id) < 0.5 ? 1.0 : 0.0;
    Vst3CheckSupport::Flush(*plugin, {{info.id, value}});
    ++asked;
    applied += plugin->Controller()->getParamNormalized(info.id) == value ? 1 : 0;
  }
  validator.Report(check, asked > 0 && applied == asked,
                   std::to_string(applied) + " of " + std::to_string(asked) + " parameters moved to their other end");
}

void BlockSizesAndInPlace(Validator& validator) {
  const char* check = "output independent of the block size, in place or not";
  ChannelBuffers input(2, 44100);
  TestSignal::Noise(input, 11, 0.5f, 0, 22050);
  std::unique_ptr<Vst3Instance> reference = validator.NewVst3Instance(Validator::kSampleRate, 4096);
  if (reference == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  const ChannelBuffers expected = Vst3CheckSupport::Process(*reference, input, 4096);
  double largest = 0.0;
  for (int32_t blockSize : {1, 7, 32, 512}) {
    for (bool inPlace : {false, true}) {
      std::unique_ptr<Vst3Instance> plugin = validator.NewVst3Instance(Validator::kSampleRate, 4096);
      if (plugin == nullptr) {
        validator.FailToCreate(check);
        return;
      }
      const ChannelBuffers output = Vst3CheckSupport::Process(*plugin, input, blockSize, inPlace);
      const double difference = output.LargestDifference(expected);
      largest = difference > largest ? difference : largest;
    }
  }
  validator.Report(check, largest <= Validator::kEqualWithin,
                   "block sizes 1, 7, 32, 512 against 4096, separate and shared buffers; largest difference " +
                       std::to_string(largest));
}

void MidiMapping(Validator& validator) {
  const char* check = "MIDI controllers map to listed parameters";
  std::unique_ptr<Vst3Instance> plugin = validator.NewVst3Instance();
  if (plugin == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  auto* mapping = static_cast<Vst::IMidiMapping*>(plugin->Query(Vst::IMidiMapping::iid));
  if (mapping == nullptr) {
    validator.Skip(check, "the plug-in maps no MIDI controllers");
    return;
  }
  std::vector<Vst::ParamID> listed;
  for (const Vst::ParameterInfo& info : Vst3CheckSupport::Parameters(*plugin)) {
    listed.push_back(info.id);
  }
  int32_t mapped = 0;
  int32_t unlisted = 0;
  for (Steinberg::int16 channel = 0; channel < 16; ++channel) {
    for (Vst::CtrlNumber controller = 0; controller < 128; ++controller) {
      Vst::ParamID id = 0;
      if (mapping->getMidiControllerAssignment(0, channel, controller, id) == Steinberg::kResultTrue) {
        ++mapped;
        unlisted += std::find(listed.begin(), listed.end(), id) == listed.end() ? 1 : 0;
      }
    }
  }
  mapping->release();
  validator.Report(check, unlisted == 0,
                   std::to_string(mapped) + " of 2048 channel controllers mapped, " + std::to_string(unlisted) +
                       " to parameters the plug-in does not list");
}

}  // namespace

void Vst3ProcessingChecks::Run(Validator& validator) {
  RandomChanges(validator);
  FlushApplies(validator);
  BlockSizesAndInPlace(validator);
  MidiMapping(validator);
}

}  // namespace QuorvelHost
