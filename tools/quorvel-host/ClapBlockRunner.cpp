#include "tools/quorvel-host/ClapBlockRunner.h"

#include <algorithm>
#include <cmath>

#include "tools/quorvel-host/ClapInstance.h"

namespace QuorvelHost {

ClapBlockRunner::ClapBlockRunner(ClapInstance& instance, int32_t blockSize, double sampleRate)
    : instance_(instance), blockSize_(std::max(blockSize, 1)), sampleRate_(sampleRate) {}

void ClapBlockRunner::Run(ChannelBuffers& input, ChannelBuffers& output, int64_t songFrame) {
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
      const TimedEvent& event = timed_[nextTimed_++];
      const auto time = static_cast<uint32_t>(std::max<int64_t>(event.frame - first, 0));
      if (event.status == 0) {
        events_.AddParameter(time, event.id, event.value);
      } else {
        events_.AddMidi(time, event.status, event.data1, event.data2);
      }
    }
    const int64_t position = songFrame + first;
    transport_.header = {sizeof transport_, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
    transport_.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE |
                       CLAP_TRANSPORT_HAS_TIME_SIGNATURE | (playing_ ? uint32_t{CLAP_TRANSPORT_IS_PLAYING} : 0u);
    const double beats = startPosition_ + static_cast<double>(position) / sampleRate_ * tempo_ / 60.0;
    transport_.song_pos_beats = std::llround(beats * static_cast<double>(CLAP_BEATTIME_FACTOR));
    transport_.tempo = tempo_;
    transport_.tsig_num = static_cast<uint16_t>(numerator_);
    transport_.tsig_denom = static_cast<uint16_t>(denominator_);
    instance_.Process(input.At(first), output.At(first), frames, events_.Empty() ? nullptr : &events_, &transport_);
    events_.Clear();
    instance_.OutputEvents().Clear();
  }
}

}  // namespace QuorvelHost
