// Arbitrary host activity for the LV2 face (Lv2Plugin on the delay's model): control
// values of any bits, well-formed atom sequences whose events carry any type and any
// bytes (time:Position objects whose properties claim any sizes, MIDI of any length),
// runs of any length up to the buffers' (none too), pauses, any bytes as its state, and
// any events as the UI's messages, with a notify port of any capacity. Nothing may read
// outside what the host gave, and the output stays finite.
#include <lv2/atom/atom.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "delay/QuorvelDelayModel.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzModel.h"
#include "host/lv2/Lv2Plugin.h"

using QuorvelFuzz::Check;
using QuorvelFuzz::FuzzInput;

namespace {

constexpr uint32_t kFrames = 256;
constexpr size_t kSequenceBytes = 2048;

// The host's URID map over a list of URIs.
std::vector<std::string>& Uris() {
  static std::vector<std::string> uris;
  return uris;
}

LV2_URID Map(LV2_URID_Map_Handle, const char* uri) {
  std::vector<std::string>& uris = Uris();
  for (size_t i = 0; i < uris.size(); ++i) {
    if (uris[i] == uri) {
      return static_cast<LV2_URID>(i + 1);
    }
  }
  uris.emplace_back(uri);
  return static_cast<LV2_URID>(uris.size());
}

// One atom input's sequence, filled with events the input describes: frames in order,
// each event's body whole inside the buffer.
class Sequence {
 public:
  explicit Sequence(LV2_URID_Map& map) : words(kSequenceBytes / sizeof(uint64_t)) {
    sequenceType = map.map(map.handle, LV2_ATOM__Sequence);
    types[0] = map.map(map.handle, LV2_MIDI__MidiEvent);
    types[1] = map.map(map.handle, LV2_ATOM__Object);
    types[2] = map.map(map.handle, LV2_ATOM__Blank);
    types[3] = map.map(map.handle, LV2_ATOM__Float);
    types[4] = map.map(map.handle, LV2_ATOM__Chunk);
    position = map.map(map.handle, LV2_TIME__Position);
  }
  void* Buffer() { return words.data(); }

  void Fill(FuzzInput& input) {
    auto* bytes = reinterpret_cast<uint8_t*>(words.data());
    std::memset(bytes, 0, kSequenceBytes);
    auto* sequence = reinterpret_cast<LV2_Atom_Sequence*>(bytes);
    size_t used = sizeof(LV2_Atom_Sequence);
    int64_t frame = 0;
    for (uint32_t count = input.Byte() % 8; count > 0; --count) {
      const uint32_t size = input.Byte() % 64;
      const size_t whole = sizeof(LV2_Atom_Event) + ((size + 7u) & ~7u);
      if (used + whole > kSequenceBytes) {
        break;
      }
      frame += input.Byte() % 64;
      auto* event = reinterpret_cast<LV2_Atom_Event*>(bytes + used);
      event->time.frames = frame;
      event->body.size = size;
      const uint8_t type = input.Byte();
      event->body.type = type < 200 ? types[type % 5] : type;
      auto* body = reinterpret_cast<uint8_t*>(event + 1);
      input.Take(body, size);
      // Half the objects are time:Positions, their properties as the input wrote them.
      if ((event->body.type == types[1] || event->body.type == types[2]) && size >= 8 && type % 2 == 0) {
        std::memcpy(body + 4, &position, sizeof position);
      }
      used += whole;
    }
    sequence->atom.type = input.Byte() < 250 ? sequenceType : 0;
    sequence->atom.size = static_cast<uint32_t>(used - sizeof(LV2_Atom));
  }

 private:
  std::vector<uint64_t> words;
  LV2_URID sequenceType;
  LV2_URID types[5];
  LV2_URID position;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  LV2_URID_Map map{nullptr, Map};
  const double rates[] = {44100.0, 48000.0, 96000.0, 8000.0};
  VstToolkit::Lv2Plugin plugin(std::make_unique<QuorvelDelayModel>(), map, rates[input.Byte() % 4]);
  std::vector<float> audio[4];
  float controls[VstToolkit::Lv2Identity::kParameterCount] = {};
  Sequence midi(map);
  Sequence time(map);
  Sequence ui(map);
  // The notify port as hosts give it: its capacity in the atom's size, set before each run.
  std::vector<uint64_t> notify(kSequenceBytes / sizeof(uint64_t));
  auto* notifyAtom = reinterpret_cast<LV2_Atom*>(notify.data());
  for (uint32_t c = 0; c < 4; ++c) {
    audio[c].assign(kFrames, 0.0f);
    plugin.ConnectPort(VstToolkit::Lv2Identity::kInputLeft + c, audio[c].data());
  }
  for (uint32_t i = 0; i < VstToolkit::Lv2Identity::kParameterCount; ++i) {
    plugin.ConnectPort(VstToolkit::Lv2Identity::kFirstControl + i, &controls[i]);
  }
  plugin.ConnectPort(VstToolkit::Lv2Identity::kMidiInput, midi.Buffer());
  plugin.ConnectPort(VstToolkit::Lv2Identity::kTimeInput, time.Buffer());
  plugin.ConnectPort(VstToolkit::Lv2Identity::kUiInput, ui.Buffer());
  plugin.ConnectPort(VstToolkit::Lv2Identity::kUiNotify, notify.data());
  while (!input.Empty()) {
    const uint8_t what = input.Byte();
    if (what < 16) {
      // Any bytes as the state, through the host's retrieve function.
      std::vector<uint8_t> state(input.Byte() * 16u + input.Byte());
      state.resize(input.Take(state.data(), state.size()));
      struct Held {
        std::vector<uint8_t>* bytes;
        uint32_t type;
      } held{&state, Map(nullptr, what % 2 == 0 ? LV2_ATOM__Chunk : LV2_ATOM__String)};
      plugin.Restore(
          [](LV2_State_Handle handle, uint32_t, size_t* length, uint32_t* type, uint32_t* flags) -> const void* {
            auto* given = static_cast<Held*>(handle);
            *length = given->bytes->size();
            *type = given->type;
            *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
            return given->bytes->data();
          },
          &held);
      continue;
    }
    if (what == 16) {
      plugin.Deactivate();
      plugin.Activate();
      continue;
    }
    for (uint32_t i = input.Byte() % 4; i > 0; --i) {
      controls[input.Byte() % VstToolkit::Lv2Identity::kParameterCount] = input.FloatBits();
    }
    midi.Fill(input);
    time.Fill(input);
    ui.Fill(input);
    notifyAtom->size = static_cast<uint32_t>(input.Byte()) * 8u;
    for (uint32_t c = 0; c < 2; ++c) {
      for (float& sample : audio[c]) {
        sample = static_cast<float>(input.Int16()) / 32768.0f;
      }
    }
    const uint32_t frames = input.Byte() % 2 == 0 ? static_cast<uint32_t>(input.Int16() & 0xFF) : 0u;
    plugin.Run(frames);
    Check(notifyAtom->size + sizeof(LV2_Atom) <= kSequenceBytes, "the notifications stay in the port's buffer");
    for (uint32_t c = 2; c < 4; ++c) {
      for (uint32_t k = 0; k < frames; ++k) {
        Check(std::isfinite(audio[c][k]), "the output is finite");
      }
    }
  }
  return 0;
}
