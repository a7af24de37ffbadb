#!/usr/bin/env python3
"""Independent derivation of the delay tests' golden numbers.

Single-precision arithmetic is reproduced by rounding every intermediate result to
float32 (struct); exp, sin and cos are evaluated to 50 digits with Decimal series and
rounded once. Nothing here runs or imports the code under test.
Run: python3 tests/delay/golden_values.py
"""
import struct
from decimal import Decimal, getcontext

getcontext().prec = 50


def f(x):
    """Round a Python float (double) to the nearest float32."""
    return struct.unpack('<f', struct.pack('<f', x))[0]


def bits(x):
    return '0x%08X' % struct.unpack('<I', struct.pack('<f', x))[0]


def dexp(x):
    return float(Decimal(x).exp())


def dsincos(x):
    x = Decimal(x)
    s, c, term = Decimal(0), Decimal(0), Decimal(1)
    for n in range(0, 80):
        if n % 4 == 0: c += term
        elif n % 4 == 1: s += term
        elif n % 4 == 2: c -= term
        else: s -= term
        term = term * x / (n + 1)
    return float(s), float(c)


def ramp_coefficients(rate):
    tc = int(f(f(rate * f(2.2675737e-5)) * 10000.0))
    decay = f(dexp(f(-1.0 / f(tc))))
    return tc, decay, f(1.0 - decay)


def glide(state, current, target, decay, coefficient, frames):
    """The one-pole glide, frame by frame; yields (state, current)."""
    direction = 0 if target > current else 1
    aim = f(target + f(0.001)) if direction == 0 else f(target - f(0.001))
    for _ in range(frames):
        if target < current or target > current:
            state = f(f(f(aim * coefficient) + f(decay * state)) + f(1e-25))
            current = state
            if (direction == 1 and state <= target) or (direction == 0 and state >= target):
                current = target
        yield state, current


def settle(state, current, target, decay, coefficient):
    previous = (state, current)
    for frame, now in enumerate(glide(state, current, target, decay, coefficient, 10**6), 1):
        if now == previous:
            return frame - 1, now
        previous = now


def design(kind, rate, cutoff, highest_angle=f(3.1415925)):
    w = f(f(cutoff * f(6.283186)) / rate)
    w = min(max(w, 0.0), highest_angle)
    s, c = dsincos(w)
    pole = f(f(c) / f(f(s) + 1.0))
    gain = f(f(1.0 - pole) * 0.5) if kind == 'low' else f(f(pole + 1.0) * 0.5)
    return w, gain, pole


def impulse(kind, gain, pole, n):
    previous_in, previous_out, out = 0.0, 0.0, []
    for i in range(n):
        x = 1.0 if i == 0 else 0.0
        if kind == 'low':
            y = f(f(f(x + previous_in) * gain) + f(pole * previous_out))
        else:
            y = f(f(f(x - previous_in) * gain) + f(pole * previous_out))
        previous_in, previous_out = f(f(1e-25) + x), f(f(1e-25) + y)
        out.append(y)
    return out


def saturate(x):
    if x > f(0.72):
        return f(f(f(1.0 - f(f(0.72) / x)) * f(0.27999997)) + f(0.72))
    if x < -f(0.72):
        return -f(f(f(1.0 - f(-f(0.72) / x)) * f(0.27999997)) + f(0.72))
    return x


if __name__ == '__main__':
    print('ramp coefficients: rate, time constant, decay, input coefficient')
    for rate in (44100.0, 48000.0, 88200.0, 96000.0):
        tc, decay, coefficient = ramp_coefficients(rate)
        print(' ', rate, tc, bits(decay), bits(coefficient))

    tc, decay, coefficient = ramp_coefficients(44100.0)
    frames, (state, _) = settle(0.0, 0.0, 22050.0, decay, coefficient)
    print('glide 0 -> 22050 settles after', frames, 'frames at', repr(state), bits(state))
    first = next(glide(state, state, 11025.0, decay, coefficient, 1))
    frames2, (state2, _) = settle(state, state, 11025.0, decay, coefficient)
    print('then -> 11025: first frame', repr(first[0]), 'settles after', frames2, 'at', repr(state2), bits(state2))
    frames3, landed = settle(0.0, 0.0, 1.0, decay, coefficient)
    print('glide 0 -> 1 lands after', frames3, 'frames, state', repr(landed[0]), 'current', landed[1])

    for kind, rate, cutoff in (('low', 44100.0, 1000.0), ('high', 44100.0, 1000.0),
                               ('low', 48000.0, 2515.0), ('high', 8000.0, 4000.0),
                               ('low', 8000.0, 4000.0)):
        w, gain, pole = design(kind, rate, cutoff)
        print('design', kind, rate, cutoff, 'w', repr(w), 'gain', bits(gain), repr(gain),
              'pole', bits(pole), repr(pole))
        print('  impulse', [bits(y) for y in impulse(kind, gain, pole, 4)])
    w = f(f(4000.0 * f(6.283186)) / 8000.0)
    print('angle at half of 8000 Hz', repr(w), 'pole without the limit',
          repr(design('low', 8000.0, 4000.0, highest_angle=10.0)[2]))

    for x in (0.5, 0.72, 1.0, 2.0, -2.0, 1e7, 1e30):
        print('saturate', x, repr(saturate(f(x))), bits(saturate(f(x))))
