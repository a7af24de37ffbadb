#include "tools/quorvel-host/Lv2BlockRunner.h"

#include <algorithm>
#include <cmath>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayModel.h"
#include "host/lv2/Lv2Identity.h"
#include "instance/InstanceCore.h"
#include "tools/quorvel-host/Lv2Instance.h"
#include "tools/quorvel-host/Lv2Module.h"

namespace QuorvelHost {

std::unique_ptr<Lv2BlockRunner> Lv2BlockRunner::Create(const Lv2Module& module, double sampleRate, int32_t blockSize,
                                                        std::string& error) {
  std::unique_ptr<Lv2BlockRunner> runner(new Lv2BlockRunner);
  runner->instance_ = Lv2Instance::Create(module, sampleRate, error);
  if (runner->instance_ == nullptr) {
    return nullptr;
  }
  runner->isQuorvelDelay_ = module.Uri() == VstToolkit::Lv2Identity::kPluginUri;
  runner->blockSize_ = std::max(blockSize, 1);
  runner->sampleRate_ = sampleRate;
  return runner;
}

Lv2BlockRunner::~Lv2BlockRunner() = default;

bool Lv2BlockRunner::SetParameter(const std::string& name, float value) {
  const int32_t index = instance_->FindParameter(name);
  if (index < 0) {
    return false;
  }
  if (isQuorvelDelay_ && index < DelayParameter::kCount) {
    static const QuorvelDelayModel units;
    value = units.ValueToUnits(index, value);
  }
  instance_->SetParameter(index, value);
  return true;
}

bool Lv2BlockRunner::RestoreState(const std::vector<uint8_t>& bytes) {
  if (!instance_->RestoreState(bytes)) {
    return false;
  }
  VstToolkit::InstanceCore state(std::make_unique<QuorvelDelayModel>());
  if (isQuorvelDelay_ && bytes.size() <= static_cast<size_t>(INT32_MAX) &&
      state.LoadInstanceState(bytes.data(), static_cast<int32_t>(bytes.size()))) {
    for (int32_t i = 0; i < DelayParameter::kCount && i < instance_->ParameterCount(); ++i) {
      instance_->SetParameter(i, state.ValueToUnits(i, state.GetParameter(i)));
    }
  }
  return true;
}

void Lv2BlockRunner::Run(ChannelBuffers& input, ChannelBuffers& output, int64_t songFrame) {
  if (input.Channels() < 2 || output.Channels() < 2) {
    return;
  }
  const int64_t total = std::min(input.Frames(), output.Frames());
  for (int64_t first = 0; first < total; first += blockSize_) {
    const auto frames = static_cast<int32_t>(std::min<int64_t>(blockSize_, total - first));
    if (hook_) {
      hook_(first, frames);
    }
    if (sendsTime_ && !timeSent_) {
      // The position in quarter notes, as bars and beats of the signature.
      const double quarters = startPosition_ + static_cast<double>(songFrame + first) / sampleRate_ * tempo_ / 60.0;
      const double beats = quarters * denominator_ / 4.0;
      const double bar = std::floor(beats / numerator_);
      Lv2Position position;
      position.hasTempo = true;
      position.tempo = static_cast<float>(tempo_);
      position.hasSpeed = true;
      position.speed = playing_ ? 1.0f : 0.0f;
      position.hasBar = true;
      position.bar = static_cast<int64_t>(bar);
      position.barBeat = static_cast<float>(beats - bar * numerator_);
      position.hasSignature = true;
      position.beatsPerBar = static_cast<float>(numerator_);
      position.beatUnit = denominator_;
      instance_->AddPosition(0, position);
      timeSent_ = true;
    }
    while (nextMidi_ < midi_.size() && midi_[nextMidi_].frame < first + frames) {
      const TimedMidiMessage& message = midi_[nextMidi_++];
      const uint8_t bytes[3] = {message.status, message.data1, message.data2};
      instance_->AddMidi(std::max<int64_t>(message.frame - first, 0), bytes, 3);
    }
    instance_->Process(input.At(first), output.At(first), static_cast<uint32_t>(frames));
  }
}

}  // namespace QuorvelHost
