#include "delay/DelayLine.h"

#include <algorithm>

DelayLine::DelayLine(int32_t initialLength) { Resize(initialLength); }

void DelayLine::Resize(int32_t newLength) {
  samples.reset();
  length = newLength > 0 ? newLength : 0;
  lengthAsFloat = static_cast<float>(length);
  if (length > 0) {
    samples = std::make_unique<float[]>(static_cast<size_t>(length));  // value-initialised: silence
  }
  // A line that shrank below the write position starts writing again from its beginning.
  if (writeIndex >= length) {
    writeIndex = 0;
  }
}

void DelayLine::Clear() { std::fill_n(samples.get(), length, 0.0f); }
