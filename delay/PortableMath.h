#pragma once

// exp, sin and cos evaluated with nothing but IEEE double additions, multiplications and
// divisions. The C runtimes of the two targets (glibc and msvcrt) disagree in the last
// place of their transcendental functions; these series give the same bits everywhere,
// and rounded once to float they match the correctly rounded single-precision result.
namespace PortableMath {

// e^x for -1 <= x <= 1.
double Exp(double x);

// sin(w) and cos(w) for 0 <= w <= pi.
void SinCos(double w, double& sine, double& cosine);

}  // namespace PortableMath
