// The real plug-in, made through its entry point, driven by a sequence of host
// calls read from the input: any opcode with any arguments, chunks, parameters
// with odd floats, MIDI event lists, blocks of any length in separate or shared
// buffers, sample-rate, block-size and program changes, any time information,
// and a host that answers nothing. After every call the host checks what it
// relies on: finite output from any input up to 1e30, texts terminated inside their
// fields, chunks that survive a save and reload unchanged, and refused chunks
// that change nothing.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzModel.h"
#include "host/vst2/VstInterface.h"

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

using QuorvelFuzz::Check;
using QuorvelFuzz::FuzzInput;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr int32_t kLargestBlock = 4096;
// All blocks of one input together: keeps every run short. Low sample rates
// (in the odd values below) give lines short enough to wrap within it.
constexpr int32_t kFrameBudget = 8192;
constexpr int32_t kLargestEventList = 48;
// Host calls per input: long inputs would only repeat what short ones reach, slowly.
constexpr int32_t kLongestSession = 256;
// New delay lines (a sample-rate change, a new instance) cost most of a run: a few
// per input reach every size and order of them.
constexpr int32_t kLineRebuilds = 4;
constexpr uint8_t kUntouched = 0xA5;
// Output must be finite while every input sample so far stayed within this magnitude
// (600 dB above full scale). Beyond it two samples of the float range's far end can
// overflow a sum inside the engine: a known limit, kept out of this check. Such samples
// stay in the delay lines for up to a second and are read again, through the feedback
// too, so once one has entered, the session's later output is not checked either.
constexpr float kLoudest = 1e30f;

// What the host answers; one instance at a time, so one record.
struct Host {
  AEffect* effect = nullptr;  // null while the entry point is making the instance
  bool answersNothing = false;
  bool timeInfoPresent = false;
  VstTimeInfo timeInfo{};
};
Host host;

VstIntPtr HostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
  if (host.effect != nullptr) {
    Check(effect == host.effect, "a host call names another instance");
  }
  if (host.answersNothing) {
    return 0;
  }
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterAutomate:
      Check(host.effect != nullptr && index >= 0 && index < host.effect->numParams,
            "automation of a parameter that does not exist");
      Check(opt >= 0.0f && opt <= 1.0f, "automation with a value outside 0..1");
      return 0;
    case audioMasterGetTime:
      return host.timeInfoPresent ? reinterpret_cast<VstIntPtr>(&host.timeInfo) : 0;
    default:
      return 0;
  }
}

float OddFloat(FuzzInput& input) {
  static const float kOdd[] = {0.0f,
                               -0.0f,
                               1.0f,
                               0.5f,
                               0.25f,
                               -1.0f,
                               2.0f,
                               std::nextafter(0.5f, 0.0f),
                               std::nextafter(1.0f, 2.0f),
                               std::numeric_limits<float>::denorm_min(),
                               -std::numeric_limits<float>::denorm_min(),
                               std::numeric_limits<float>::min(),
                               std::numeric_limits<float>::max(),
                               -std::numeric_limits<float>::max(),
                               std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity(),
                               std::numeric_limits<float>::quiet_NaN(),
                               -std::numeric_limits<float>::quiet_NaN(),
                               100.0f,
                               1000.0f,
                               8000.0f,
                               22050.0f,
                               44100.0f,
                               96000.0f,
                               192000.0f,
                               1e9f};
  const uint8_t pick = input.Byte();
  return pick < sizeof kOdd / sizeof kOdd[0] ? kOdd[pick] : (pick < 200 ? pick / 200.0f : input.FloatBits());
}

double OddDouble(FuzzInput& input) {
  static const double kOdd[] = {0.0,
                                -0.0,
                                120.0,
                                60.0,
                                -120.0,
                                1e-300,
                                1e300,
                                std::numeric_limits<double>::denorm_min(),
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()};
  const uint8_t pick = input.Byte();
  return pick < sizeof kOdd / sizeof kOdd[0] ? kOdd[pick] : (pick < 200 ? pick * 2.0 : input.DoubleBits());
}

VstInt32 OddIndex(FuzzInput& input) {
  static const VstInt32 kOdd[] = {-1, 11, 12, 31, 32, 127, 128, INT32_MIN, INT32_MAX};
  const uint8_t pick = input.Byte();
  if (pick < 128) {
    return pick % 16;
  }
  return pick < 128 + sizeof kOdd / sizeof kOdd[0] ? kOdd[pick - 128] : input.Int32();
}

VstIntPtr OddValue(FuzzInput& input) {
  const uint8_t pick = input.Byte();
  if (pick < 128) {
    return pick % 40;
  }
  return pick < 192 ? input.Int32() : static_cast<VstIntPtr>(input.Bits64());
}

// The text opcodes and the widths hosts size their buffers by.
VstInt32 TextWidth(VstInt32 opcode) {
  switch (opcode) {
    case effGetProgramName:
    case effGetProgramNameIndexed:
      return kVstMaxProgNameLen;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
      return kVstMaxParamStrLen;
    case effGetEffectName:
      return kVstMaxEffectNameLen;
    case effGetVendorString:
    case effGetProductString:
    case effShellGetNextPlugin:
      return kVstMaxVendorStrLen;
    default:
      return 0;
  }
}

class Session final {
 public:
  explicit Session(FuzzInput& bytes) : input(bytes) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session() { Close(); }

  bool Open() {
    host.effect = nullptr;
    effect = VSTPluginMain(&HostCallback);
    if (host.answersNothing) {
      Check(effect == nullptr, "an instance for a host that does not answer its version");
      return false;
    }
    Check(effect != nullptr && effect->magic == kEffectMagic, "no instance for a working host");
    host.effect = effect;
    return true;
  }

  void Close() {
    if (effect != nullptr) {
      Check(Dispatch(effClose) == 1, "effClose did not answer 1");
      effect = nullptr;
      host.effect = nullptr;
    }
  }

  void Step() {
    const uint8_t operation = input.Byte();
    switch (operation % 16) {
      case 0:
      case 1:
        AnyOpcode(static_cast<VstInt32>(input.Byte() % 96) - 4);
        break;
      case 2:
        Text(static_cast<VstInt32>(operation >> 4) % 2 == 0 ? effGetParamDisplay : TextOpcode());
        break;
      case 3:
        effect->setParameter(effect, OddIndex(input), OddFloat(input));
        break;
      case 4: {
        // A chunk may store any value (the delay keeps its own settings in range);
        // what is no parameter at all reads as 0.
        const VstInt32 index = OddIndex(input);
        const float value = effect->getParameter(effect, index);
        Check(index >= 0 && index < effect->numParams ? true : value == 0.0f,
              "a parameter that does not exist");
        break;
      }
      case 5:
      case 6:
        Process((operation & 0x10) != 0, (operation & 0x20) != 0);
        break;
      case 7:
        Events();
        break;
      case 8:
        LoadChunk((operation & 0x10) != 0, (operation & 0x20) != 0);
        break;
      case 9:
        SaveChunk((operation & 0x10) != 0);
        break;
      case 10:
        SetSampleRate(OddFloat(input));
        break;
      case 11:
        Dispatch((operation & 0x10) != 0 ? effSetBlockSize : effSetProgram, 0, OddValue(input));
        break;
      case 12:
        Time();
        break;
      case 13:
        host.answersNothing = (operation & 0x10) != 0;
        break;
      case 14:
        Dispatch(effMainsChanged, 0, (operation & 0x10) != 0 ? 1 : 0);
        break;
      default:
        if ((operation & 0xF0) == 0xF0 && Rebuild()) {
          Close();
          Open();
        } else {
          SetProgramName();
        }
        break;
    }
  }

  AEffect* effect = nullptr;

 private:
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }

  bool Rebuild() { return rebuilds++ < kLineRebuilds; }

  void SetSampleRate(float rate) {
    if (Rebuild()) {
      Dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    }
  }

  VstInt32 TextOpcode() {
    static const VstInt32 kTexts[] = {effGetProgramName,  effGetParamLabel,         effGetParamName,
                                      effGetEffectName,   effGetVendorString,       effGetProductString,
                                      effGetParamDisplay, effGetProgramNameIndexed, effShellGetNextPlugin};
    return kTexts[input.Byte() % (sizeof kTexts / sizeof kTexts[0])];
  }

  // Any opcode with arbitrary arguments; a pointer argument is a roomy scratch
  // record, the two speaker-arrangement slots, or null.
  void AnyOpcode(VstInt32 opcode) {
    // Only the session closes, so that the record stays valid; a parent window is
    // the windowing system's to check, and a fuzzed one means nothing to it.
    if (opcode == effClose || opcode == effEditOpen) {
      return;
    }
    if (TextWidth(opcode) > 0) {
      Text(opcode);
      return;
    }
    switch (opcode) {
      case effSetChunk:
        LoadChunk(false, false);
        return;
      case effGetChunk:
        SaveChunk(input.Byte() % 2 != 0);
        return;
      case effProcessEvents:
        Events();
        return;
      case effSetProgramName:
        SetProgramName();
        return;
      case effSetSampleRate:
        SetSampleRate(OddFloat(input));
        return;
      default:
        break;
    }
    const VstInt32 index = OddIndex(input);
    VstIntPtr value = OddValue(input);
    const float opt = OddFloat(input);
    void* ptr = nullptr;
    std::memset(scratch, 0, sizeof scratch);
    void* slots[2] = {};
    if (opcode == effGetSpeakerArrangement || opcode == effSetSpeakerArrangement) {
      value = reinterpret_cast<VstIntPtr>(&slots[0]);
      ptr = &slots[1];
    } else if (input.Byte() % 8 != 0) {
      // Texts a host sends (capabilities, parameter strings) arrive terminated.
      input.Take(reinterpret_cast<uint8_t*>(scratch), input.Byte() % 32);
      ptr = scratch;
    }
    Dispatch(opcode, index, value, ptr, opt);
  }

  // A text opcode into a buffer of the field's width or of a host's more generous
  // size; the text must end inside the field and nothing beyond it may change.
  void Text(VstInt32 opcode) {
    static const size_t kHostSizes[] = {0, 64, 256};
    const auto width = static_cast<size_t>(TextWidth(opcode));
    const size_t hostSize = kHostSizes[input.Byte() % 3];
    std::vector<uint8_t> buffer(hostSize > width ? hostSize : width, kUntouched);
    Dispatch(opcode, OddIndex(input), OddValue(input), buffer.data(), 0.0f);
    bool written = false;
    bool terminated = false;
    for (size_t i = 0; i < width; ++i) {
      written = written || buffer[i] != kUntouched;
      terminated = terminated || buffer[i] == 0;
    }
    Check(!written || terminated, "a text runs past its field");
    for (size_t i = width; i < buffer.size(); ++i) {
      Check(buffer[i] == kUntouched, "a text written beyond its field");
    }
  }

  void SetProgramName() {
    Bytes name(1 + input.Byte() % 40, 0);
    input.Take(name.data(), name.size() - 1);
    Dispatch(effSetProgramName, 0, 0, input.Byte() % 16 == 0 ? nullptr : name.data());
  }

  Bytes Save(bool program) {
    void* data = nullptr;
    const VstIntPtr size = Dispatch(effGetChunk, program ? 1 : 0, 0, &data);
    Check(size >= 0 && (size == 0 || data != nullptr), "a chunk size without data");
    const auto* bytes = static_cast<const uint8_t*>(data);
    return size > 0 ? Bytes(bytes, bytes + size) : Bytes();
  }

  void SaveChunk(bool program) {
    if (input.Byte() % 8 == 0) {
      Dispatch(effGetChunk, program ? 1 : 0, 0, nullptr);  // a host that wants no data
      return;
    }
    lastSaved = Save(program);
    lastSavedIsProgram = program;
  }

  // Arbitrary bytes, or the last saved chunk with a few bytes changed, cut or extended.
  void LoadChunk(bool program, bool fromSaved) {
    Bytes chunk;
    if (fromSaved && !lastSaved.empty()) {
      program = lastSavedIsProgram;
      chunk = lastSaved;
      for (uint8_t edits = input.Byte() % 4; edits > 0; --edits) {
        const size_t at = static_cast<size_t>(input.Int16() & 0x7FFF) % chunk.size();
        chunk[at] = input.Byte();
      }
      chunk.resize(static_cast<size_t>(static_cast<int32_t>(chunk.size()) + input.Int16() % 8));
    } else {
      chunk.resize(static_cast<size_t>(input.Int16() & 0x0FFF));
      chunk.resize(input.Take(chunk.data(), chunk.size()));
    }
    const Bytes bankBefore = Save(false);
    if (Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(chunk.size()), chunk.data()) == 0) {
      Check(Save(false) == bankBefore, "a refused chunk changed the bank");
      return;
    }
    Bytes saved = Save(program);
    Check(Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(saved.size()), saved.data()) == 1,
          "a saved chunk was refused");
    Check(Save(program) == saved, "save, load, save gave other bytes");
  }

  void Events() {
    if (input.Byte() % 16 == 0) {
      Dispatch(effProcessEvents);
      return;
    }
    const int32_t count = input.Byte() % (kLargestEventList + 1);
    for (int32_t i = 0; i < count; ++i) {
      VstMidiEvent& event = midiEvents[i];
      event = VstMidiEvent{};
      const uint8_t shape = input.Byte();
      event.type = shape < 224 ? kVstMidiType : input.Int32();
      event.byteSize = static_cast<VstInt32>(sizeof(VstMidiEvent));
      event.deltaFrames = shape % 4 == 0 ? input.Int32() : input.Int16() % kLargestBlock;
      event.midiData[0] = static_cast<char>(input.Byte());
      event.midiData[1] = static_cast<char>(input.Byte());
      event.midiData[2] = static_cast<char>(input.Byte());
      list.entries[i] = shape == 255 ? nullptr : reinterpret_cast<VstEvent*>(&event);
    }
    list.numEvents = input.Byte() == 255 ? -count : count;
    Check(Dispatch(effProcessEvents, 0, 0, &list) == 1, "effProcessEvents did not answer 1");
  }

  void Time() {
    host.timeInfoPresent = input.Byte() % 8 != 0;
    host.timeInfo.tempo = OddDouble(input);
    host.timeInfo.ppqPos = OddDouble(input);
    host.timeInfo.flags = input.Byte() % 4 == 0 ? input.Int32() : (kVstTempoValid | kVstTransportPlaying);
    host.timeInfo.timeSigNumerator = OddIndex(input);
    host.timeInfo.timeSigDenominator = OddIndex(input);
  }

  // One block of arbitrary samples, or of finite noise, in separate or shared buffers.
  void Process(bool inPlace, bool rawSamples) {
    int32_t frames = input.Int16() % (kLargestBlock + 1);
    if (frames > framesLeft) {
      frames = framesLeft;
    }
    const size_t length = frames > 0 ? static_cast<size_t>(frames) : 0;
    framesLeft -= static_cast<int32_t>(length);
    for (auto* channels : {&in, &out}) {
      for (auto& channel : *channels) {
        channel.assign(length, 0.0f);
      }
    }
    uint32_t noise = input.Bits32();
    for (auto& channel : in) {
      for (float& sample : channel) {
        if (rawSamples && input.Remaining() >= 4) {
          sample = input.FloatBits();
        } else {
          noise = noise * 1664525u + 1013904223u;
          sample = static_cast<float>(static_cast<int32_t>(noise)) * 4.6e-10f;
        }
        heardLoud = heardLoud || !(std::fabs(sample) <= kLoudest);
      }
    }
    float* inputs[2] = {in[0].data(), in[1].data()};
    float* outputs[2] = {out[0].data(), out[1].data()};
    effect->processReplacing(effect, inputs, inPlace ? inputs : outputs, frames);
    if (!heardLoud) {
      for (auto& channel : inPlace ? in : out) {
        for (float sample : channel) {
          Check(std::isfinite(sample), "finite input gave output that is not finite");
        }
      }
    }
  }

  struct EventList {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* entries[kLargestEventList];
  };

  FuzzInput& input;
  int32_t framesLeft = kFrameBudget;
  int32_t rebuilds = 0;
  std::vector<float> in[2];
  std::vector<float> out[2];
  VstMidiEvent midiEvents[kLargestEventList] = {};
  EventList list = {};
  char scratch[1024] = {};
  Bytes lastSaved;
  bool lastSavedIsProgram = false;
  bool heardLoud = false;  // an input sample beyond kLoudest, or not finite, has entered
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  host = Host{};
  host.answersNothing = input.Byte() == 0xFF;  // the entry point must then give up
  Check(VSTPluginMain(nullptr) == nullptr, "an instance without a host callback");
  Session session(input);
  if (!session.Open()) {
    return 0;
  }
  for (int32_t step = 0; step < kLongestSession && !input.Empty(); ++step) {
    session.Step();
    if (session.effect == nullptr) {
      break;
    }
  }
  return 0;
}
