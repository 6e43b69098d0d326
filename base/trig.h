// Sine, cosine and powers of two of our own, the same to the last bit on every machine.
//
// The C library's sin, cos and pow are not used by anything that moves the world or makes its
// sound: they differ between C libraries (glibc and the browser's disagree on about 1% of
// results) and even within glibc from one processor to the next (it picks code by CPU
// features), and a journey recorded on one machine would then stray on another. These use
// nothing but IEEE 754 additions, multiplications and conversions, each rounded once (the game
// builds without fused multiply-adds), so every compiler and processor gives the same bits.
#pragma once

// Within 1 ulp for every finite float: below 2^23 the reduction by pi/2 is exact to 2^-100,
// beyond it to 2^-73 of a quarter turn, far closer than any float comes to a multiple of pi/2.
float sine_f(float x);
float cosine_f(float x);

// Within 1 ulp for |x| < 2^23 (about 8.4 million). Beyond, the reduction by pi/2 is exact to
// 2^-73 of a quarter turn: still within 1 ulp unless the result is below about 2^-20.
double sine_d(double x);
double cosine_d(double x);

// 2 to the power y, within 1 ulp wherever the result is a normal double; 0 below that
// (no subnormal results), infinity above.
double two_to_the(double y);

// Not numbers and infinities give not-a-number, as the C library does.
