#include "tools/quorvel-host/PluginInstance.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace QuorvelHost {

namespace {

std::string ProblemWithRecord(const AEffect& effect) {
  if (effect.magic != kEffectMagic) {
    return "the plug-in record has a wrong magic number";
  }
  if (effect.dispatcher == nullptr) {
    return "the plug-in record has no dispatcher";
  }
  if (effect.setParameter == nullptr || effect.getParameter == nullptr) {
    return "the plug-in record lacks its parameter functions";
  }
  if (effect.numInputs < 0 || effect.numInputs > PluginInstance::kMaxChannels || effect.numOutputs < 0 ||
      effect.numOutputs > PluginInstance::kMaxChannels) {
    return "the plug-in reports " + std::to_string(effect.numInputs) + " inputs and " +
           std::to_string(effect.numOutputs) + " outputs";
  }
  if (effect.numParams < 0 || effect.numParams > PluginInstance::kMaxParameters) {
    return "the plug-in reports " + std::to_string(effect.numParams) + " parameters";
  }
  if (effect.numPrograms < 0 || effect.numPrograms > PluginInstance::kMaxPrograms) {
    return "the plug-in reports " + std::to_string(effect.numPrograms) + " programs";
  }
  return "";
}

}  // namespace

std::unique_ptr<PluginInstance> PluginInstance::Create(VstPluginMainProc entry, const std::string& moduleName,
                                                       std::string& error) {
  std::unique_ptr<PluginInstance> instance(new PluginInstance());
  instance->host_.BeginCreation();
  AEffect* effect = entry(&HostCallback::Entry);
  instance->host_.EndCreation(effect);
  if (effect == nullptr) {
    error = "module " + moduleName + " made no plug-in instance";
    return nullptr;
  }
  std::string problem = ProblemWithRecord(*effect);
  if (!problem.empty()) {
    error = "module " + moduleName + " is unusable: " + problem;
    // A record this broken cannot be trusted to close itself.
    instance->closed_ = true;
    instance->host_.EndCreation(nullptr);
    return nullptr;
  }
  instance->effect_ = effect;
  return instance;
}

PluginInstance::~PluginInstance() {
  Close();
}

void PluginInstance::Close() {
  if (closed_ || effect_ == nullptr) {
    return;
  }
  effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
  closed_ = true;
  host_.EndCreation(nullptr);
}

VstIntPtr PluginInstance::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  if (closed_) {
    return 0;
  }
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginInstance::GetText(VstInt32 opcode, VstInt32 index) {
  std::array<char, 1024> buffer{};
  Dispatch(opcode, index, 0, buffer.data());
  buffer.back() = '\0';
  return std::string(buffer.data());
}

void PluginInstance::Start(double sampleRate, int32_t blockSize) {
  Dispatch(effOpen);
  SetSampleRate(sampleRate);
  SetBlockSize(blockSize);
  SetMains(true);
}

void PluginInstance::SetSampleRate(double sampleRate) {
  host_.SetSampleRate(sampleRate);
  Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
}

void PluginInstance::SetBlockSize(int32_t blockSize) {
  host_.SetBlockSize(blockSize);
  Dispatch(effSetBlockSize, 0, blockSize);
}

void PluginInstance::SetParameter(int32_t index, float value) {
  if (!closed_ && index >= 0 && index < effect_->numParams) {
    effect_->setParameter(effect_, index, value);
  }
}

float PluginInstance::GetParameter(int32_t index) {
  if (closed_ || index < 0 || index >= effect_->numParams) {
    return 0.0f;
  }
  return effect_->getParameter(effect_, index);
}

std::vector<uint8_t> PluginInstance::GetChunk(bool program) {
  void* data = nullptr;
  VstIntPtr size = Dispatch(effGetChunk, program ? 1 : 0, 0, &data);
  if (data == nullptr || size <= 0 || size > kMaxChunkBytes) {
    return {};
  }
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

bool PluginInstance::SetChunk(const std::vector<uint8_t>& chunk, bool program) {
  // The plug-in gets its own copy: the record's pointer is not const, and a
  // zero-length chunk still gets a valid address.
  std::vector<uint8_t> copy(chunk.size() + 1, 0);
  std::copy(chunk.begin(), chunk.end(), copy.begin());
  return Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(chunk.size()), copy.data()) != 0;
}

void PluginInstance::Process(float** inputs, float** outputs, int32_t frames) {
  if (!closed_ && effect_->processReplacing != nullptr) {
    effect_->processReplacing(effect_, inputs, outputs, frames);
  }
}

}  // namespace QuorvelHost
