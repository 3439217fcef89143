#pragma once

#include <cstdint>

// The arithmetic the graphs share. Pixel coordinates computed from
// floating-point values are rounded with RoundToInt or truncated.
int RoundToInt(float v);
// 0 gives 1.
uint16_t Factorial(uint8_t n);
// n! / ((n - k)! * k!) in integer division.
float Binomial(uint8_t n, uint8_t k);
// x multiplied by itself n times.
float Power(float x, uint8_t n);
// The weight of control point i of a cubic Bézier segment at t.
float Bernstein3(float t, uint8_t i);
// The compression ratio that a ratio value stands for: 1.0 .. 9.5, then
// whole numbers.
float CompressorRatio(uint8_t v);
