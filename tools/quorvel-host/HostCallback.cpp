#include "tools/quorvel-host/HostCallback.h"

#include <cstring>
#include <vector>

namespace QuorvelHost {

namespace {

constexpr char kHostVendor[] = "Quorvel Sound Design";
constexpr char kHostProduct[] = "quorvel-host";
constexpr VstIntPtr kHostVendorVersion = 2700;

// Every live host object; the one being created answers for unknown effects.
std::vector<HostCallback*>& Registry() {
  static std::vector<HostCallback*> registry;
  return registry;
}
HostCallback* creating = nullptr;

// Plug-ins pass capability names as plain C strings; read at most a sane length.
bool TextEquals(const void* ptr, const char* expected) {
  if (ptr == nullptr) {
    return false;
  }
  const char* text = static_cast<const char*>(ptr);
  size_t length = std::strlen(expected);
  return std::strncmp(text, expected, length + 1) == 0;
}

void CopyText(void* destination, const char* text, size_t width) {
  if (destination == nullptr) {
    return;
  }
  char* out = static_cast<char*>(destination);
  std::strncpy(out, text, width);
  out[width - 1] = '\0';
}

}  // namespace

HostCallback::HostCallback() {
  Registry().push_back(this);
}

HostCallback::~HostCallback() {
  auto& registry = Registry();
  for (auto it = registry.begin(); it != registry.end(); ++it) {
    if (*it == this) {
      registry.erase(it);
      break;
    }
  }
  if (creating == this) {
    creating = nullptr;
  }
}

void HostCallback::BeginCreation() {
  creating = this;
}

void HostCallback::EndCreation(AEffect* effect) {
  effect_ = effect;
  if (creating == this) {
    creating = nullptr;
  }
}

void HostCallback::SetPlaying(bool playing) {
  if (playing != playing_) {
    transportChanged_ = true;
  }
  playing_ = playing;
}

void HostCallback::SetTimeSignature(int32_t numerator, int32_t denominator) {
  timeSigNumerator_ = numerator;
  timeSigDenominator_ = denominator;
}

int32_t HostCallback::CallCount(VstInt32 opcode) const {
  return opcode >= 0 && opcode < kCountedOpcodes ? callCounts_[static_cast<size_t>(opcode)] : 0;
}

VstIntPtr VSTCALLBACK HostCallback::Entry(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                          void* ptr, float opt) {
  HostCallback* host = nullptr;
  for (HostCallback* candidate : Registry()) {
    if (effect != nullptr && candidate->effect_ == effect) {
      host = candidate;
      break;
    }
  }
  if (host == nullptr) {
    host = creating;
  }
  if (host == nullptr) {
    // A plug-in calling after its instance was closed, or from a stray effect:
    // only the version keeps such a caller sane.
    return opcode == audioMasterVersion ? kVstVersion : 0;
  }
  return host->Answer(effect, opcode, index, value, ptr, opt);
}

VstIntPtr HostCallback::Answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) {
  (void)value;
  (void)opt;
  if (opcode >= 0 && opcode < kCountedOpcodes) {
    ++callCounts_[static_cast<size_t>(opcode)];
  }
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterCurrentId:
      return effect != nullptr ? effect->uniqueID : 0;
    case audioMasterAutomate:
      lastAutomatedIndex_ = index;
      return 0;
    case audioMasterGetTime:
      return timeInfoAvailable_ ? reinterpret_cast<VstIntPtr>(FillTimeInfo()) : 0;
    case audioMasterGetSampleRate:
      return static_cast<VstIntPtr>(sampleRate_);
    case audioMasterGetBlockSize:
      return blockSize_;
    case audioMasterGetCurrentProcessLevel:
      return kVstProcessLevelOffline;
    case audioMasterGetAutomationState:
      return kVstAutomationOff;
    case audioMasterGetLanguage:
      return kVstLangEnglish;
    case audioMasterGetVendorString:
      CopyText(ptr, kHostVendor, kVstMaxVendorStrLen);
      return 1;
    case audioMasterGetProductString:
      CopyText(ptr, kHostProduct, kVstMaxProductStrLen);
      return 1;
    case audioMasterGetVendorVersion:
      return kHostVendorVersion;
    case audioMasterCanDo:
      return TextEquals(ptr, "sendVstEvents") || TextEquals(ptr, "sendVstMidiEvent") ||
                     TextEquals(ptr, "sendVstTimeInfo")
                 ? 1
                 : 0;
    default:
      return 0;
  }
}

VstTimeInfo* HostCallback::FillTimeInfo() {
  timeInfo_ = VstTimeInfo{};
  double seconds = static_cast<double>(samplePosition_) / sampleRate_;
  timeInfo_.samplePos = static_cast<double>(samplePosition_);
  timeInfo_.sampleRate = sampleRate_;
  timeInfo_.ppqPos = startPpq_ + seconds * tempo_ / 60.0;
  timeInfo_.tempo = tempo_;
  double barLength = 4.0 * timeSigNumerator_ / timeSigDenominator_;
  timeInfo_.barStartPos =
      barLength > 0.0 ? barLength * static_cast<double>(static_cast<int64_t>(timeInfo_.ppqPos / barLength))
                      : 0.0;
  timeInfo_.timeSigNumerator = timeSigNumerator_;
  timeInfo_.timeSigDenominator = timeSigDenominator_;
  timeInfo_.flags = kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid | kVstBarsValid;
  if (playing_) {
    timeInfo_.flags |= kVstTransportPlaying;
  }
  if (transportChanged_) {
    timeInfo_.flags |= kVstTransportChanged;
    transportChanged_ = false;
  }
  return &timeInfo_;
}

}  // namespace QuorvelHost
