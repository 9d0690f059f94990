#!/usr/bin/env python3
"""The arcsine series of the Placidus AVX2 rounds (kArcSinSeries).

arcsin x = x + x^3 P(x^2) for |x| < 0.6: P interpolates (arcsin x - x) / x^3
in z = x^2 at 16 Chebyshev nodes of 0..0.36, its coefficients rounded to
doubles.  Prints the table, then checks the series in doubles, evaluated in
the order ArcSinSeries (calc/src/arcsin_real6.h) takes it, against 40-digit
arcsines at Real6 arguments (random, tiny and next to 0.6): the largest
error in ulps of the result.

Needs python3-mpmath.  Usage: python3 tools/arcsin_series.py
"""
import math
import random

import mpmath as mp

END = 0.6
TERMS = 16


def coefficients():
    mp.mp.dps = 60
    top = mp.mpf(END) ** 2

    def g(z):
        x = mp.sqrt(z)
        return (mp.asin(x) - x) / x**3

    nodes = [top * (1 + mp.cos(mp.pi * (2 * k + 1) / (2 * TERMS))) / 2 for k in range(TERMS)]
    vandermonde = mp.matrix([[z**j for j in range(TERMS)] for z in nodes])
    c = mp.lu_solve(vandermonde, mp.matrix([g(z) for z in nodes]))
    return [float(c[j]) for j in range(TERMS)]


def series(c, a):
    """The AVX2 lanes' evaluation, term pairs first (Estrin's scheme)."""
    z = a * a
    z2 = z * z
    z4 = z2 * z2
    pair = [c[2 * k] + c[2 * k + 1] * z for k in range(8)]
    q = [pair[2 * k] + pair[2 * k + 1] * z2 for k in range(4)]
    r0, r1 = q[0] + q[1] * z4, q[2] + q[3] * z4
    return a + (a * z) * (r0 + r1 * (z4 * z4))


def real6(x):
    m, e = math.frexp(x)
    return math.ldexp(round(m * 2**40) / 2**40, e)


def worst_ulps(c):
    mp.mp.dps = 40
    rng = random.Random(1)
    points = [rng.uniform(0, END) for _ in range(100000)]
    points += [END * 10 ** rng.uniform(-30, 0) for _ in range(50000)]
    points += [END * (1 - 2.0**-k) for k in range(1, 50)]
    worst = 0.0
    for x in points:
        a = real6(x)
        if a == 0 or a >= END:
            continue
        exact = mp.asin(mp.mpf(a))
        worst = max(worst, float(abs(mp.mpf(series(c, a)) - exact)) / math.ulp(float(exact)))
    return worst


def main():
    c = coefficients()
    for i, v in enumerate(c):
        print(f"    {float.hex(v)},  // z^{i}")
    print(f"largest error: {worst_ulps(c):.2f} ulps")


if __name__ == "__main__":
    main()
