#include "tools/quorvel-host/HostCallback.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace QuorvelHost {

namespace {

constexpr char kHostVendor[] = "Quorvel Sound Design";
constexpr char kHostProduct[] = "quorvel-host";
constexpr VstIntPtr kHostVendorVersion = 2700;

// What the host answers the same whatever the plug-in and the moment, as plug-ins ask
// any host while they start.
constexpr std::pair<VstInt32, VstIntPtr> kFixedAnswers[] = {
    {audioMasterVersion, kVstVersion},
    {audioMasterGetCurrentProcessLevel, kVstProcessLevelOffline},
    {audioMasterGetAutomationState, kVstAutomationOff},
    {audioMasterGetLanguage, kVstLangEnglish},
    {audioMasterGetVendorVersion, kHostVendorVersion}};
constexpr const char* kCapabilities[] = {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo"};

// Every live host object; the one being created answers for unknown effects.
std::vector<HostCallback*>& Registry() {
  static std::vector<HostCallback*> registry;
  return registry;
}
HostCallback* creating = nullptr;

// Plug-ins pass capability names as plain C strings; read at most a sane length.
bool TextEquals(const void* ptr, const char* expected) {
  return ptr != nullptr &&
         std::strncmp(static_cast<const char*>(ptr), expected, std::strlen(expected) + 1) == 0;
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
  registry.erase(std::remove(registry.begin(), registry.end(), this), registry.end());
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

void HostCallback::SetTransport(const HostTransport& transport, int64_t songFrame) {
  transportChanged_ = transportChanged_ || transport.playing != transport_.playing;
  transport_ = transport;
  samplePosition_ = songFrame;
}

int32_t HostCallback::CallCount(VstInt32 opcode) const {
  return opcode >= 0 && opcode < kCountedOpcodes ? callCounts_[static_cast<size_t>(opcode)] : 0;
}

VstIntPtr VSTCALLBACK HostCallback::Entry(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr,
                                          void* ptr, float) {
  const auto& registry = Registry();
  auto known = std::find_if(registry.begin(), registry.end(), [effect](const HostCallback* host) {
    return effect != nullptr && host->effect_ == effect;
  });
  HostCallback* host = known != registry.end() ? *known : creating;
  if (host == nullptr) {
    // A plug-in calling after its instance was closed, or from a stray effect:
    // only the version keeps such a caller sane.
    return opcode == audioMasterVersion ? kVstVersion : 0;
  }
  return host->Answer(effect, opcode, index, ptr);
}

VstIntPtr HostCallback::Answer(AEffect* effect, VstInt32 opcode, VstInt32 index, void* ptr) {
  if (opcode >= 0 && opcode < kCountedOpcodes) {
    ++callCounts_[static_cast<size_t>(opcode)];
  }
  for (const auto& [fixed, answer] : kFixedAnswers) {
    if (opcode == fixed) {
      return answer;
    }
  }
  switch (opcode) {
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
    case audioMasterGetVendorString:
      CopyText(ptr, kHostVendor, kVstMaxVendorStrLen);
      return 1;
    case audioMasterGetProductString:
      CopyText(ptr, kHostProduct, kVstMaxProductStrLen);
      return 1;
    case audioMasterCanDo:
      return std::any_of(std::begin(kCapabilities), std::end(kCapabilities),
                         [ptr](const char* capability) { return TextEquals(ptr, capability); })
                 ? 1
                 : 0;
    default:
      return 0;
  }
}

VstTimeInfo* HostCallback::FillTimeInfo() {
  timeInfo_ = VstTimeInfo{};
  timeInfo_.samplePos = static_cast<double>(samplePosition_);
  timeInfo_.sampleRate = sampleRate_;
  timeInfo_.ppqPos = transport_.QuarterNotesAt(samplePosition_, sampleRate_);
  timeInfo_.tempo = transport_.tempo;
  double barLength = 4.0 * transport_.numerator / transport_.denominator;
  timeInfo_.barStartPos =
      barLength > 0.0 ? barLength * static_cast<double>(static_cast<int64_t>(timeInfo_.ppqPos / barLength))
                      : 0.0;
  timeInfo_.timeSigNumerator = transport_.numerator;
  timeInfo_.timeSigDenominator = transport_.denominator;
  timeInfo_.flags = kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid | kVstBarsValid;
  if (transport_.playing) {
    timeInfo_.flags |= kVstTransportPlaying;
  }
  if (transportChanged_) {
    timeInfo_.flags |= kVstTransportChanged;
    transportChanged_ = false;
  }
  return &timeInfo_;
}

}  // namespace QuorvelHost
