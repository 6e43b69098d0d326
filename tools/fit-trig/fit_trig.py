#!/usr/bin/env python3
"""Fits the polynomials of base/trig.cpp and prints them with the bits of 2/pi.

Everything is computed here with Python's decimal module at 60 digits: pi by Machin's formula,
sine, cosine and 2^x by their series, and each polynomial by the Remez exchange, minimising
the largest relative error of the function it stands in for. Run it to check or remake the
constants: python3 tools/fit-trig/fit_trig.py
"""
from decimal import Decimal as D, getcontext
from fractions import Fraction
import struct

getcontext().prec = 60


def arctan_inverse(n, digits=70):
    """arctan(1/n) by its series."""
    x = D(1) / n
    x2, term, total, k = x * x, x, x, 1
    while abs(term) > D(10) ** -digits:
        term *= -x2
        k += 2
        total += term / k
    return total


PI = 16 * arctan_inverse(5) - 4 * arctan_inverse(239)


def series(x, first, step):
    """sum of (-1)^j x^(first + step j) / (first + step j)! until it stops mattering."""
    term = D(1)
    for i in range(1, first + 1):
        term = term * x / i
    total, n = term, first
    while abs(term) > D(10) ** -70:
        term = -term * x * x / ((n + 1) * (n + 2))
        n += 2
        total += term
    return total


def sin(x):
    return series(x, 1, 2)


def cos(x):
    return series(x, 0, 2)


def ln2():
    # ln 2 = 2 atanh(1/3)
    x, total, k = D(1) / 3, D(0), 1
    term = x
    while term > D(10) ** -70:
        total += term / k
        term *= x * x
        k += 2
    return 2 * total


def exp(x):
    term, total, n = D(1), D(1), 0
    while abs(term) > D(10) ** -70:
        n += 1
        term = term * x / n
        total += term
    return total


LN2 = ln2()


def solve(a, b):
    """Gaussian elimination with partial pivoting."""
    n = len(b)
    m = [row[:] + [b[i]] for i, row in enumerate(a)]
    for c in range(n):
        p = max(range(c, n), key=lambda r: abs(m[r][c]))
        m[c], m[p] = m[p], m[c]
        for r in range(c + 1, n):
            f = m[r][c] / m[c][c]
            for k in range(c, n + 1):
                m[r][k] -= f * m[c][k]
    x = [D(0)] * n
    for r in range(n - 1, -1, -1):
        x[r] = (m[r][n] - sum(m[r][k] * x[k] for k in range(r + 1, n))) / m[r][r]
    return x


def horner(c, t):
    v = D(0)
    for a in reversed(c):
        v = v * t + a
    return v


def remez(f, w, lo, hi, degree, rounds=12, grid=600):
    """Coefficients of the polynomial of DEGREE minimising max |w (f - p)| on [lo, hi]."""
    n = degree + 2
    pts = [(lo + hi) / 2 - (hi - lo) / 2 * cos(PI * i / (n - 1)) for i in range(n)]
    for _ in range(rounds):
        rows = [[t ** j if j else D(1) for j in range(degree + 1)] + [(-1) ** i / w(t)] for i, t in enumerate(pts)]
        sol = solve(rows, [f(t) for t in pts])
        c = sol[:-1]
        err = lambda t: w(t) * (f(t) - horner(c, t))
        ts = [lo + (hi - lo) * i / grid for i in range(grid + 1)]
        es = [err(t) for t in ts]
        # one extremum per run of one sign, refined on a finer grid around it
        ext, i = [], 0
        while i <= grid:
            j = i
            while j + 1 <= grid and (es[j + 1] > 0) == (es[i] > 0):
                j += 1
            k = max(range(i, j + 1), key=lambda q: abs(es[q]))
            a, b = ts[max(k - 1, 0)], ts[min(k + 1, grid)]
            fine = [a + (b - a) * q / 40 for q in range(41)]
            ext.append(max(fine, key=lambda t: abs(err(t))))
            i = j + 1
        if len(ext) != n:
            break
        pts = ext
    worst = max(abs(w(t) * (f(t) - horner(c, t))) for t in [lo + (hi - lo) * i / 4000 for i in range(4001)])
    return c, worst


def bits_of_two_over_pi(words):
    """The bits of 2/pi after the point, in 32-bit words, most significant first."""
    getcontext().prec = 10 * words + 40
    v = 2 / (16 * arctan_inverse(5, 10 * words + 30) - 4 * arctan_inverse(239, 10 * words + 30))
    out = []
    for _ in range(words):
        v *= 2 ** 32
        w = int(v)
        out.append(w)
        v -= w
    getcontext().prec = 60
    return out


def split(x, bits):
    """x > 0 (a Fraction) rounded down to BITS significant bits, and what is left."""
    e = 0
    while x / Fraction(2) ** e >= 1:
        e += 1
    while x / Fraction(2) ** e < Fraction(1, 2):
        e -= 1
    unit = Fraction(2) ** (e - bits)
    head = (x // unit) * unit
    return head, x - head


def show(name, coeffs):
    print(f"{name}: " + ", ".join(repr(float(c)) for c in coeffs))


def main():
    # the reduced argument reaches pi/4 and a little past it (the reduction rounds k)
    edge = (PI / 4 * D("1.0001")) ** 2
    tiny = D(10) ** -30
    start = edge / 10 ** 6  # the weighted error vanishes at 0: the extrema lie beyond

    def sin_tail(t):  # (sin x - x) / x^3 with x = sqrt t
        if t < tiny:
            return D(-1) / 6
        x = t.sqrt()
        return (sin(x) - x) / (x * t)

    def sin_weight(t):  # the error of sin x over sin x, per unit error of the tail
        if t < tiny:
            return t
        x = t.sqrt()
        return x * t / sin(x)

    def cos_tail(t):  # (cos x - 1 + x^2 / 2) / x^4
        if t < tiny:
            return D(1) / 24
        return (cos(t.sqrt()) - 1 + t / 2) / (t * t)

    def cos_weight(t):
        return t * t / cos(t.sqrt())

    def exp2_tail(f):  # (2^f - 1 - f ln 2) / f^2
        if abs(f) < tiny:
            return LN2 * LN2 / 2
        return (exp(f * LN2) - 1 - f * LN2) / (f * f)

    def exp2_weight(f):
        return f * f / exp(f * LN2)

    for name, f, w, lo, hi, degree in [
        ("sine, double", sin_tail, sin_weight, start, edge, 5),
        ("cosine, double", cos_tail, cos_weight, start, edge, 5),
        ("sine, single", sin_tail, sin_weight, start, edge, 3),
        ("cosine, single", cos_tail, cos_weight, start, edge, 3),
        ("2^f, double", exp2_tail, exp2_weight, D("-0.5"), D("0.5"), 9),
    ]:
        c, worst = remez(f, w, lo, hi, degree)
        show(f"{name} (relative error {float(worst):.3g})", c)

    half_pi = Fraction(PI) / 2
    pieces, rest = [], half_pi
    for bits in (30, 30, 30, 53):
        head, rest = split(rest, bits)
        pieces.append(head)
    print("pi/2 in pieces of 30, 30, 30 and 53 bits:", ", ".join(repr(float(p)) for p in pieces))
    for p in pieces:
        assert Fraction(float(p)) == p or p is pieces[-1], "a 30-bit piece is a double"
    hi = Fraction(float(half_pi))
    print("pi/2 as a double and its rest:", repr(float(hi)), repr(float(half_pi - hi)))
    print("2/pi:", repr(float(2 / PI)))
    print("ln 2 as a double and its rest:", repr(float(LN2)), repr(float(Fraction(LN2) - Fraction(float(LN2)))))
    words = bits_of_two_over_pi(36)  # enough for the largest double
    print("2/pi bits:")
    for i in range(0, len(words), 6):
        print("    " + ", ".join(f"0x{w:08x}" for w in words[i:i + 6]) + ",")


if __name__ == "__main__":
    main()
