#include "delay/PortableMath.h"

#include <cassert>

namespace PortableMath {

namespace {
// pi as a double and the part of pi that double cannot hold, so that pi - w stays
// accurate when w lies next to pi (a cutoff at the Nyquist frequency).
constexpr double kPiHigh = 3.141592653589793116;
constexpr double kPiLow = 1.2246467991473532e-16;
constexpr double kHalfPi = 1.570796326794896558;
}  // namespace

double Exp(double x) {
  assert(x >= -1.0 && x <= 1.0);
  // Taylor series to x^20 / 20!, below one part in 1e18 for |x| <= 1.
  double sum = 1.0;
  for (int k = 20; k > 0; --k) {
    sum = 1.0 + x * sum / k;
  }
  return sum;
}

void SinCos(double w, double& sine, double& cosine) {
  assert(w >= 0.0 && w <= kPiHigh + kPiLow);
  // Reduce to 0..pi/2 where both series converge fast and do not cancel.
  const bool upperHalf = w > kHalfPi;
  const double t = upperHalf ? (kPiHigh - w) + kPiLow : w;
  const double t2 = t * t;
  double s = 1.0;
  double c = 1.0;
  for (int k = 12; k > 0; --k) {
    s = 1.0 - t2 / ((2.0 * k) * (2.0 * k + 1.0)) * s;
    c = 1.0 - t2 / ((2.0 * k - 1.0) * (2.0 * k)) * c;
  }
  sine = t * s;
  cosine = upperHalf ? -c : c;
}

}  // namespace PortableMath
