#include "panels/graphs/GraphMath.h"

int RoundToInt(float v)
{
    return static_cast<int>(v + 0.5f);
}

uint16_t Factorial(uint8_t n)
{
    uint16_t result = 1;
    for (uint8_t i = 2; i <= n; ++i) {
        result = static_cast<uint16_t>(result * i);
    }
    return result;
}

float Binomial(uint8_t n, uint8_t k)
{
    const uint16_t denominator = static_cast<uint16_t>(Factorial(static_cast<uint8_t>(n - k)) * Factorial(k));
    return static_cast<float>(static_cast<uint16_t>(Factorial(n) / denominator));
}

float Power(float x, uint8_t n)
{
    float result = 1.0f;
    for (uint8_t i = 0; i < n; ++i) {
        result *= x;
    }
    return result;
}

float Bernstein3(float t, uint8_t i)
{
    return Binomial(3, i) * Power(t, i) * Power(1.0f - t, static_cast<uint8_t>(3 - i));
}

float CompressorRatio(uint8_t v)
{
    const int q = v / 35;
    const int m = v - 35 * q;
    int r = 0;
    if (m < 10) {
        r = m + 10;
    } else if (m < 25) {
        r = 2 * (m - 10) + 20;
    } else {
        r = 5 * (m - 25) + 50;
    }
    return v < 35 ? static_cast<float>(r) * 0.1f : static_cast<float>(r);
}
