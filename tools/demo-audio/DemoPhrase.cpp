#include "tools/demo-audio/DemoPhrase.h"

#include <algorithm>
#include <cmath>

#include "tools/audio-buffers/ChannelBuffers.h"

namespace QuorvelHost {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSixteenthSeconds = 60.0 / DemoPhrase::kTempo / 4.0;

// One step of a small linear congruential generator, as a sample from -1 to 1.
float NextNoise(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
}

void Add(float* out, int64_t index, int64_t frames, double value) {
  if (index >= 0 && index < frames) {
    out[index] += static_cast<float>(value);
  }
}

// A minor pentatonic line over the two bars: sixteenth-note step and note in hertz.
struct Note {
  int step;
  double hertz;
};
constexpr Note kPhrase[] = {{0, 220.00},  {3, 261.63},  {6, 293.66},  {8, 329.63},  {10, 392.00},
                            {14, 329.63}, {16, 293.66}, {19, 261.63}, {22, 220.00}, {24, 196.00}};

}  // namespace

ChannelBuffers DemoPhrase::Render() {
  const auto step = static_cast<int64_t>(kSixteenthSeconds * kSampleRate);
  const int64_t frames = step * 16 * kBars;
  ChannelBuffers buffers(1, frames);
  float* out = buffers.Channel(0);
  uint32_t noise = 12345u;
  for (int s = 0; s < 16 * kBars; ++s) {
    int64_t at = s * step;
    int inBar = s % 16;
    if (inBar == 0 || inBar == 6 || inBar == 10) {
      AddKick(out, at, frames);
    }
    if (inBar == 4 || inBar == 12) {
      AddSnare(out, at, frames, noise);
    }
    if (s % 2 == 0) {
      AddHat(out, at, frames, noise);
    }
  }
  for (const Note& note : kPhrase) {
    AddPluck(out, note.step * step, frames, note.hertz);
  }
  float peak = 0.0f;
  for (int64_t i = 0; i < frames; ++i) {
    peak = std::max(peak, std::fabs(out[i]));
  }
  for (int64_t i = 0; i < frames && peak > 0.0f; ++i) {
    out[i] *= 0.7f / peak;
  }
  return buffers;
}

// A sine falling from 150 to 45 Hz with a fast decay.
void DemoPhrase::AddKick(float* out, int64_t at, int64_t frames) {
  double phase = 0.0;
  for (int64_t i = 0; i < kSampleRate / 4; ++i) {
    double t = static_cast<double>(i) / kSampleRate;
    double hertz = 45.0 + 105.0 * std::exp(-t * 30.0);
    phase += 2.0 * kPi * hertz / kSampleRate;
    Add(out, at + i, frames, 0.9 * std::sin(phase) * std::exp(-t * 12.0));
  }
}

// Noise and a 190 Hz body, both decaying.
void DemoPhrase::AddSnare(float* out, int64_t at, int64_t frames, uint32_t& noise) {
  for (int64_t i = 0; i < kSampleRate / 5; ++i) {
    double t = static_cast<double>(i) / kSampleRate;
    double body = 0.3 * std::sin(2.0 * kPi * 190.0 * t) * std::exp(-t * 25.0);
    Add(out, at + i, frames, body + 0.45 * NextNoise(noise) * std::exp(-t * 18.0));
  }
}

// Noise through a first difference (a crude high-pass), very short.
void DemoPhrase::AddHat(float* out, int64_t at, int64_t frames, uint32_t& noise) {
  float previous = 0.0f;
  for (int64_t i = 0; i < kSampleRate / 25; ++i) {
    double t = static_cast<double>(i) / kSampleRate;
    float sample = NextNoise(noise);
    Add(out, at + i, frames, 0.12 * (sample - previous) * std::exp(-t * 90.0));
    previous = sample;
  }
}

// A plucked string: a few harmonics decaying faster the higher they are.
void DemoPhrase::AddPluck(float* out, int64_t at, int64_t frames, double hertz) {
  for (int64_t i = 0; i < kSampleRate / 2; ++i) {
    double t = static_cast<double>(i) / kSampleRate;
    double value = 0.0;
    for (int harmonic = 1; harmonic <= 4; ++harmonic) {
      value += std::sin(2.0 * kPi * hertz * harmonic * t) * std::exp(-t * 6.0 * harmonic) / harmonic;
    }
    Add(out, at + i, frames, 0.35 * value);
  }
}

}  // namespace QuorvelHost
