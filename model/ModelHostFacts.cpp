// The host facts: sample rate, tempo, song position, transport and time signature.
#include <atomic>
#include <cstdint>

#include "model/Model.h"
#include "model/Trace.h"

namespace VstToolkit {

namespace {

uint64_t TimeSignatureWord(int32_t numerator, int32_t denominator) {
  return static_cast<uint64_t>(static_cast<uint32_t>(denominator)) << 32 | static_cast<uint32_t>(numerator);
}

int32_t NumeratorOf(uint64_t word) {
  return static_cast<int32_t>(static_cast<uint32_t>(word));
}

int32_t DenominatorOf(uint64_t word) {
  return static_cast<int32_t>(static_cast<uint32_t>(word >> 32));
}

}  // namespace

// Host facts change only on an ordered difference, so a NaN reported by the host
// is never stored and never fires a hook. Each has one writer (the sample rate the
// host's thread, the rest the audio thread), so a load and a store make a change.
void Model::SetSampleRate(float rate) {
  Trace("Model::SetSampleRate\r\n");
  const float old = sampleRate_.load(std::memory_order_relaxed);
  if (rate < old || rate > old) {
    sampleRate_.store(rate, std::memory_order_relaxed);
    OnSampleRateChanged(old, rate);
  }
}

float Model::GetSampleRate() const {
  return sampleRate_.load(std::memory_order_relaxed);
}

void Model::SetTempo(double newTempo) {
  const double old = tempo_.load(std::memory_order_relaxed);
  if (newTempo < old || newTempo > old) {
    tempo_.store(newTempo, std::memory_order_relaxed);
    OnTempoChanged(old, newTempo);
  }
}

double Model::GetTempo() const {
  Trace("Model::GetTempo\r\n");
  return tempo_.load(std::memory_order_relaxed);
}

void Model::SetSongPosition(double position) {
  const double old = songPosition_.load(std::memory_order_relaxed);
  if (position < old || position > old) {
    songPosition_.store(position, std::memory_order_relaxed);
    OnSongPositionChanged(old, position);
  }
}

double Model::GetSongPosition() const {
  return songPosition_.load(std::memory_order_relaxed);
}

void Model::SetPlaying(bool isPlaying) {
  if (isPlaying != playing_.load(std::memory_order_relaxed)) {
    playing_.store(isPlaying, std::memory_order_relaxed);
    OnPlayingChanged(isPlaying);
  }
}

bool Model::IsPlaying() const {
  Trace("Model::IsPlaying\r\n");
  return playing_.load(std::memory_order_relaxed);
}

void Model::SetTimeSignature(int32_t numerator, int32_t denominator) {
  const uint64_t old = timeSignature_.load(std::memory_order_relaxed);
  const uint64_t word = TimeSignatureWord(numerator, denominator);
  if (word != old) {
    timeSignature_.store(word, std::memory_order_relaxed);
    OnTimeSignatureChanged(NumeratorOf(old), DenominatorOf(old), numerator, denominator);
  }
}

int32_t Model::GetTimeSignatureNumerator() const {
  return NumeratorOf(timeSignature_.load(std::memory_order_relaxed));
}

int32_t Model::GetTimeSignatureDenominator() const {
  return DenominatorOf(timeSignature_.load(std::memory_order_relaxed));
}

}  // namespace VstToolkit
