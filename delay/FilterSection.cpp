#include "delay/FilterSection.h"

#include "delay/PortableMath.h"

namespace {
// The largest float below pi. The design formula turns unstable (a pole outside the unit
// circle) once the angle passes pi, which cutoffs above half the sample rate produce, and
// 6.283186 (a little above 2 pi) already pushes a cutoff of exactly half the rate past it.
constexpr float kHighestAngle = 3.14159250f;
}  // namespace

FilterSection::FilterSection(FilterKind filterKind, float rate, float hertz)
    : kind(filterKind), sampleRate(rate), cutoff(hertz) {
  Design();
}

void FilterSection::SetSampleRate(float hertz) {
  sampleRate = hertz;
  const float half = hertz * 0.5f;
  if (cutoff > half) {
    cutoff = half;
  }
  Design();
}

void FilterSection::SetCutoff(float hertz) {
  cutoff = hertz;
  Design();
}

void FilterSection::Design() {
  float w = cutoff * 6.283186f / sampleRate;
  if (!(w > 0.0f)) {
    w = 0.0f;  // negative or NaN cutoff: the pole sits at 1, the design's own limit at 0 Hz
  }
  if (w > kHighestAngle) {
    w = kHighestAngle;
  }
  double sine = 0.0;
  double cosine = 0.0;
  PortableMath::SinCos(w, sine, cosine);
  pole = static_cast<float>(cosine) / (static_cast<float>(sine) + 1.0f);
  gain = kind == FilterKind::kLowPass ? (1.0f - pole) * 0.5f : (pole + 1.0f) * 0.5f;
}
