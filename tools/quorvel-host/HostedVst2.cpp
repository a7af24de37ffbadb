#include "tools/quorvel-host/HostedVst2.h"

#include <array>

namespace QuorvelHost {

namespace {

// Upper limits of what a sane module reports; anything above is refused.
constexpr int32_t kMaxChannels = 64;
constexpr int32_t kMaxParameters = 10000;
constexpr int32_t kMaxPrograms = 10000;
// Chunks larger than this are taken for garbage.
constexpr VstIntPtr kMaxChunkBytes = 256 * 1024 * 1024;

std::string ProblemWithRecord(const AEffect& effect) {
  auto outside = [](int32_t count, int32_t limit) { return count < 0 || count > limit; };
  if (effect.magic != kEffectMagic) {
    return "the plug-in record has a wrong magic number";
  }
  if (effect.dispatcher == nullptr) {
    return "the plug-in record has no dispatcher";
  }
  if (effect.setParameter == nullptr || effect.getParameter == nullptr) {
    return "the plug-in record lacks its parameter functions";
  }
  if (outside(effect.numInputs, kMaxChannels) || outside(effect.numOutputs, kMaxChannels)) {
    return "the plug-in reports " + std::to_string(effect.numInputs) + " inputs and " +
           std::to_string(effect.numOutputs) + " outputs";
  }
  if (outside(effect.numParams, kMaxParameters)) {
    return "the plug-in reports " + std::to_string(effect.numParams) + " parameters";
  }
  if (outside(effect.numPrograms, kMaxPrograms)) {
    return "the plug-in reports " + std::to_string(effect.numPrograms) + " programs";
  }
  return "";
}

}  // namespace

std::unique_ptr<HostedVst2> HostedVst2::Open(const std::string& path, std::string& error) {
  std::unique_ptr<ModuleLibrary> library = ModuleLibrary::Open(path, error);
  if (library == nullptr) {
    return nullptr;
  }
  // VSTPluginMain, or main in older modules.
  VstPluginMainProc entry = library->FindEntry("VSTPluginMain");
  entry = entry != nullptr ? entry : library->FindEntry("main");
  if (entry == nullptr) {
    error = "module " + path + " exports neither VSTPluginMain nor main: not a VST2 plug-in";
    return nullptr;
  }
  std::unique_ptr<HostedVst2> plugin = Create(entry, path, error);
  if (plugin == nullptr) {
    return nullptr;
  }
  if (plugin->effect_->processReplacing == nullptr) {
    error = "module " + path + " offers no replacing processing";
    return nullptr;
  }
  plugin->library_ = std::move(library);
  return plugin;
}

std::unique_ptr<HostedVst2> HostedVst2::Create(VstPluginMainProc entry, const std::string& moduleName,
                                               std::string& error) {
  std::unique_ptr<HostedVst2> plugin(new HostedVst2());
  plugin->host_.BeginCreation();
  AEffect* effect = entry(&HostCallback::Entry);
  plugin->host_.EndCreation(effect);
  if (effect == nullptr) {
    error = "module " + moduleName + " made no plug-in instance";
    return nullptr;
  }
  std::string problem = ProblemWithRecord(*effect);
  if (!problem.empty()) {
    // A record this broken cannot be trusted to close itself: effect_ stays null, so
    // the instance is released without effClose.
    error = "module " + moduleName + " is unusable: " + problem;
    return nullptr;
  }
  plugin->effect_ = effect;
  return plugin;
}

HostedVst2::~HostedVst2() {
  CloseEditor();
  if (opened_) {
    SetMains(false);
  }
  Close();
}

void HostedVst2::Close() {
  Dispatch(effClose);
  effect_ = nullptr;
  host_.EndCreation(nullptr);
}

const std::vector<HostedParameter>& HostedVst2::Parameters() const {
  // Only what is not yet described, so that the second use makes no calls.
  for (auto i = static_cast<int32_t>(parameters_.size()); i < ParameterCount(); ++i) {
    HostedParameter parameter;
    parameter.id = static_cast<uint32_t>(i);
    parameter.shortName = GetText(effGetParamName, i);
    parameter.unit = GetText(effGetParamLabel, i);
    parameter.defaultValue = static_cast<double>(GetParameter(i));
    VstParameterProperties properties{};
    if (Dispatch(effGetParameterProperties, i, 0, &properties) != 0) {
      properties.label[sizeof(properties.label) - 1] = '\0';
      parameter.name = properties.label;
    }
    parameters_.push_back(parameter);
  }
  return parameters_;
}

bool HostedVst2::Activate(double sampleRate, int32_t maxBlock, std::string&) {
  if (!opened_) {
    Dispatch(effOpen);
    opened_ = true;
  }
  SetSampleRate(sampleRate);
  host_.SetBlockSize(maxBlock);
  Dispatch(effSetBlockSize, 0, maxBlock);
  SetMains(true);
  return true;
}

bool HostedVst2::SelectProgram(int32_t program, std::string& error) {
  if (program < 0 || program >= ProgramCount()) {
    error = "program '" + std::to_string(program) + "' is not a number from 0 to " +
            std::to_string(ProgramCount() - 1);
    return false;
  }
  SetProgram(program);
  return true;
}

void HostedVst2::Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
                         int64_t songFrame) {
  host_.SetTransport(transport, songFrame);
  // A record made by a test may have no processReplacing.
  if (effect_ != nullptr && effect_->processReplacing != nullptr) {
    effect_->processReplacing(effect_, inputs, outputs, frames);
  }
  events_.Clear();
}

bool HostedVst2::OpenEditor(void* parent, double, std::string& error) {
  if (!HasFlag(effFlagsHasEditor)) {
    error = "the module has no editor";
    return false;
  }
  ERect* rect = nullptr;
  Dispatch(effEditGetRect, 0, 0, &rect);  // hosts ask the size first
  Dispatch(effEditOpen, 0, 0, parent);
  editorOpen_ = true;
  return true;
}

void HostedVst2::IdleEditor() {
  if (editorOpen_) {
    Dispatch(effEditIdle);
  }
}

void HostedVst2::CloseEditor() {
  if (editorOpen_) {
    Dispatch(effEditClose);
    editorOpen_ = false;
  }
}

VstIntPtr HostedVst2::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) const {
  return effect_ == nullptr ? 0 : effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string HostedVst2::GetText(VstInt32 opcode, VstInt32 index, VstIntPtr value) const {
  std::array<char, 1024> buffer{};
  Dispatch(opcode, index, value, buffer.data());
  buffer.back() = '\0';
  return std::string(buffer.data());
}

void HostedVst2::SetSampleRate(double sampleRate) {
  host_.SetSampleRate(sampleRate);
  Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
}

void HostedVst2::SetValue(size_t index, double plain) {
  if (effect_ != nullptr && index < static_cast<size_t>(effect_->numParams)) {
    effect_->setParameter(effect_, static_cast<VstInt32>(index), static_cast<float>(plain));
  }
}

float HostedVst2::GetParameter(int32_t index) const {
  if (effect_ == nullptr || index < 0 || index >= effect_->numParams) {
    return 0.0f;
  }
  return effect_->getParameter(effect_, index);
}

std::vector<uint8_t> HostedVst2::GetState(bool program) {
  void* data = nullptr;
  VstIntPtr size = Dispatch(effGetChunk, program ? 1 : 0, 0, &data);
  if (data == nullptr || size <= 0 || size > kMaxChunkBytes) {
    return {};
  }
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

bool HostedVst2::SetState(const std::vector<uint8_t>& bytes, bool program) {
  if (!HasFlag(effFlagsProgramChunks)) {
    return false;
  }
  // The plug-in gets its own copy: the record's pointer is not const, and a
  // zero-length chunk still gets a valid address.
  std::vector<uint8_t> copy = bytes;
  copy.push_back(0);
  return Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(bytes.size()), copy.data()) != 0;
}

}  // namespace QuorvelHost
