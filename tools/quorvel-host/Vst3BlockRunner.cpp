#include "tools/quorvel-host/Vst3BlockRunner.h"

#include <algorithm>

#include "tools/quorvel-host/Vst3Instance.h"

namespace QuorvelHost {

namespace Vst = Steinberg::Vst;

Vst3BlockRunner::Vst3BlockRunner(Vst3Instance& instance, int32_t blockSize, double sampleRate)
    : instance_(instance), blockSize_(std::max(blockSize, 1)), sampleRate_(sampleRate) {
  changes_.Reserve(16, 16);
}

void Vst3BlockRunner::Run(ChannelBuffers& input, ChannelBuffers& output, int64_t songFrame) {
  if (input.Channels() < 2 || output.Channels() < 2) {
    return;
  }
  const int64_t total = std::min(input.Frames(), output.Frames());
  for (int64_t first = 0; first < total; first += blockSize_) {
    auto frames = static_cast<int32_t>(std::min<int64_t>(blockSize_, total - first));
    if (hook_) {
      hook_(first, frames);
    }
    while (nextTimed_ < timed_.size() && timed_[nextTimed_].frame < first + frames) {
      const TimedChange& change = timed_[nextTimed_++];
      changes_.Add(change.id, static_cast<int32_t>(std::max<int64_t>(change.frame - first, 0)), change.value);
    }
    const int64_t position = songFrame + first;
    context_.state = Vst::ProcessContext::kTempoValid | Vst::ProcessContext::kProjectTimeMusicValid |
                     Vst::ProcessContext::kTimeSigValid | (playing_ ? uint32_t{Vst::ProcessContext::kPlaying} : 0u);
    context_.sampleRate = sampleRate_;
    context_.projectTimeSamples = position;
    context_.projectTimeMusic = startPosition_ + static_cast<double>(position) / sampleRate_ * tempo_ / 60.0;
    context_.tempo = tempo_;
    context_.timeSigNumerator = numerator_;
    context_.timeSigDenominator = denominator_;
    instance_.Process(input.At(first), output.At(first), frames, &changes_, &context_);
    changes_.Clear();
  }
}

}  // namespace QuorvelHost
