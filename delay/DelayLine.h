#pragma once

#include <cassert>
#include <cstdint>
#include <memory>

// One channel's circular buffer of past samples.
class DelayLine final {
 public:
  explicit DelayLine(int32_t length);
  DelayLine(const DelayLine&) = delete;
  DelayLine& operator=(const DelayLine&) = delete;

  // Replaces the storage with `length` zeroed samples; 0 or less leaves no storage.
  // The write position is kept while it still lies inside the new length.
  void Resize(int32_t length);
  // Silences every sample; the write position stays.
  void Clear();

  int32_t Length() const { return length; }
  int32_t WriteIndex() const { return writeIndex; }
  float SampleAt(int32_t index) const { return samples[index]; }

  // Where a Read at `delaySamples` interpolates: the older sample's position, the next
  // newer one's (its neighbour, wrapping at the end of the line), and the newer one's weight.
  struct Tap {
    int32_t index;
    int32_t next;
    float fraction;
  };

  // Audio thread: the signal `delaySamples` frames back, read before this frame's write.
  // A whole number n returns the sample written n frames ago, except that 0 returns the
  // oldest one (written Length() frames ago). The fraction weights the next newer sample.
  // Delays beyond the line, as a shrunken line may briefly see, read the oldest sample.
  float Read(float delaySamples) const {
    const Tap tap = TapAt(delaySamples);
    return samples[tap.index] + (samples[tap.next] - samples[tap.index]) * tap.fraction;
  }

  // `ahead` frames later, for reading a group of frames before any of them is written.
  Tap TapAt(float delaySamples, int32_t ahead = 0) const {
    assert(length > 0 && delaySamples > -1.0f && ahead >= 0 && writeIndex + ahead < length);
    const float d = delaySamples > lengthAsFloat ? lengthAsFloat : delaySamples;
    const int32_t whole = static_cast<int32_t>(d);
    const float fraction = d - static_cast<float>(whole);
    int32_t index = writeIndex + ahead - whole;
    if (index < 0) {
      index += length;
    }
    const int32_t next = index + 1 == length ? 0 : index + 1;
    return {index, next, fraction};
  }

  // Audio thread, for writing a stretch at once: the storage, and the move past `frames`
  // samples stored from WriteIndex() on, which must not run beyond the end of the line.
  float* Data() { return samples.get(); }
  const float* Data() const { return samples.get(); }
  void Advance(int32_t frames) {
    assert(frames >= 0 && writeIndex + frames <= length);
    writeIndex += frames;
    if (writeIndex == length) {
      writeIndex = 0;
    }
  }

  // Audio thread: stores this frame's sample and moves on.
  void Write(float value) {
    samples[writeIndex] = value;
    if (++writeIndex == length) {
      writeIndex = 0;
    }
  }

 private:
  std::unique_ptr<float[]> samples;
  int32_t length = 0;
  float lengthAsFloat = 0.0f;
  int32_t writeIndex = 0;
};
