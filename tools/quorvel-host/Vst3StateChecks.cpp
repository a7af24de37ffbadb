// State in VST3's own terms: round trips in pieces, and a VST2 plug-in's state handed over.
#include "tools/quorvel-host/Vst3StateChecks.h"

#include <cstring>
#include <string>

#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/Validator.h"
#include "tools/quorvel-host/Vst3CheckSupport.h"
#include "tools/quorvel-host/Vst3Instance.h"
#include "tools/quorvel-host/Vst3Module.h"

namespace QuorvelHost {

namespace {

namespace Vst = Steinberg::Vst;
using Bytes = std::vector<uint8_t>;

// Every listed, automatable, visible parameter set to a value drawn from `seed`.
void RandomSettings(Vst3Instance& plugin, uint32_t seed) {
  std::vector<std::pair<Vst::ParamID, double>> changes;
  uint32_t state = seed * 2654435761u + 12345u;
  for (const Vst::ParameterInfo& info : Vst3CheckSupport::Parameters(plugin)) {
    if ((info.flags & (Vst::ParameterInfo::kIsHidden | Vst::ParameterInfo::kIsProgramChange)) == 0) {
      state = state * 1664525u + 1013904223u;
      changes.emplace_back(info.id, static_cast<double>(static_cast<float>(state >> 8) / 16777216.0f));
    }
  }
  Vst3CheckSupport::Flush(plugin, changes);
}

void RoundTrip(Validator& validator) {
  const char* check = "state round trip, also in pieces of 1 and 7 bytes";
  std::unique_ptr<Vst3Instance> original = validator.NewVst3Instance();
  if (original == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  RandomSettings(*original, 7);
  const Bytes state = original->GetState();
  ChannelBuffers input(2, 44100);
  TestSignal::Noise(input, 2, 0.5f, 0, 22050);
  const ChannelBuffers expected = Vst3CheckSupport::Process(*original, input, Validator::kBlockSize);
  double largest = 0.0;
  bool same = !state.empty();
  for (int32_t piece : {0x7FFFFFFF, 1, 7}) {
    std::unique_ptr<Vst3Instance> copy = validator.NewVst3Instance();
    if (copy == nullptr || !copy->SetState(state, piece)) {
      validator.Fail(check, "the plug-in refused its own state (pieces of " + std::to_string(piece) + ")");
      return;
    }
    same = same && copy->GetState() == state;
    const double difference = Vst3CheckSupport::Process(*copy, input, Validator::kBlockSize).LargestDifference(expected);
    largest = difference > largest ? difference : largest;
  }
  validator.Report(check, same && largest == 0.0,
                   std::to_string(state.size()) + " bytes, " + (same ? "identical" : "different") +
                       " after loading; largest audio difference " + std::to_string(largest));
}

// A class ID derived from a VST2 plug-in ('VST' then its four-character ID) promises to
// take over that plug-in's state; a bank file image of its own bank chunk, after a 'VstW'
// header, stands for what such a host hands over.
void Vst2Takeover(Validator& validator) {
  const char* check = "a VST2 bank image handed over";
  Steinberg::PClassInfo info{};
  validator.Bundle().FindAudioClass(info);
  // Which stored byte holds which written one (they differ on Windows).
  const Steinberg::FUID order(0x00010203, 0x04050607, 0x08090A0B, 0x0C0D0E0F);
  auto written = [&](int byte) {
    int stored = 0;
    while (order.data[stored] != byte) {
      ++stored;
    }
    return static_cast<uint8_t>(info.cid[stored]);
  };
  if (written(0) != 'V' || written(1) != 'S' || written(2) != 'T') {
    validator.Skip(check, "the class ID is not derived from a VST2 plug-in");
    return;
  }
  std::unique_ptr<Vst3Instance> plugin = validator.NewVst3Instance();
  if (plugin == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  RandomSettings(*plugin, 5);
  const Bytes state = plugin->GetState();
  if (state.size() <= 4) {
    validator.Fail(check, "no state to take over");
    return;
  }
  // The plug-in's own state is its VST2 bank chunk and the selected program.
  const Bytes bank(state.begin(), state.end() - 4);
  Bytes image;
  auto put = [&image](uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
      image.push_back(static_cast<uint8_t>(value >> shift));
    }
  };
  put(0x56737457);  // 'VstW'
  put(8);
  put(1);
  put(0);
  put(0x43636E4B);  // 'CcnK'
  put(static_cast<uint32_t>(152 + bank.size()));
  put(0x46424368);  // 'FBCh'
  put(1);
  put(static_cast<uint32_t>(written(3)) << 24 | static_cast<uint32_t>(written(4)) << 16 |
      static_cast<uint32_t>(written(5)) << 8 | written(6));
  put(1);
  put(1);
  image.resize(image.size() + 128, 0);
  put(static_cast<uint32_t>(bank.size()));
  image.insert(image.end(), bank.begin(), bank.end());
  std::unique_ptr<Vst3Instance> copy = validator.NewVst3Instance();
  const bool taken = copy != nullptr && copy->SetState(image);
  const Bytes after = taken ? copy->GetState() : Bytes{};
  const bool same = after.size() == state.size() && std::equal(bank.begin(), bank.end(), after.begin());
  validator.Report(check, taken && same,
                   std::string("'VstW' header, bank image of ") + std::to_string(bank.size()) + " bytes: " +
                       (taken ? (same ? "taken, same bank" : "taken, another bank") : "refused"));
}

}  // namespace

void Vst3StateChecks::Run(Validator& validator) {
  RoundTrip(validator);
  Vst2Takeover(validator);
}

}  // namespace QuorvelHost
