#include "panels/cables/SnakeShape.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double kPi = 3.141592653;
constexpr float kPiF = 3.141592653F;
constexpr int kMinCount = 5;
constexpr int kMaxCount = 20;
constexpr double kMinSpacing = 4.0;
constexpr int kSnapSteps = 5;

double AngleOf(double dx, double dy)
{
    if (dx == 0.0) {
        return dy <= 0.0 ? -kPi / 2 : kPi / 2;
    }
    const double angle = std::atan(dy / dx);
    return dx < 0.0 ? angle + kPi : angle;
}

// The handle's angle bent by b with a zigzag that keeps it within a third
// of a half turn of the straight line.
double Bend(double a, double b)
{
    constexpr auto third = static_cast<double>(kPiF / 3.0F);
    constexpr auto half = static_cast<double>(kPiF / 2.0F);
    double u = a + b;
    while (u > kPi) {
        u -= 2 * kPi;
    }
    while (u < -kPi) {
        u += 2 * kPi;
    }
    double zigzag = 0;
    if (u < -half) {
        zigzag = (u + kPi) * -third / half;
    } else if (u < 0) {
        zigzag = -third + (u + half) * (2 * third) / half;
    } else if (u < half) {
        zigzag = third - u * (2 * third) / half;
    } else {
        zigzag = -third + (u - half) * third / half;
    }
    return a + zigzag;
}

double Round(double v)
{
    return std::floor(v + 0.5);
}

} // namespace

CSnakeShape::CSnakeShape(const CableKey& key, uint8_t shape)
{
    const double dx = key.x2 - key.x1;
    const double dy = key.y2 - key.y1;
    const double d = std::sqrt(dx * dx + dy * dy);
    initialCount_ = std::clamp(static_cast<int>(d * 0.1), kMinCount, kMaxCount);
    const int n = initialCount_;
    const float step = kPiF / static_cast<float>(n);
    for (int i = 0; i < n - 1; ++i) {
        parameters_.push_back((std::sin(-kPiF / 2 + static_cast<float>(i) * step) + 1.0F) / 2.0F);
    }
    parameters_.push_back(1.0F);

    const double a1 = AngleOf(dx, dy);
    double a2 = a1 + kPi;
    if (a2 > kPi) {
        a2 -= 2 * kPi;
    }
    const auto handle =
        static_cast<double>(d < 45 ? static_cast<float>(d) / 3.0F : 0.2F * static_cast<float>(d) + 9.0F);
    const double b = 2 * kPi * std::sin(static_cast<double>(key.x1 + key.y1 + key.x2 + key.y2 + shape));
    double h1 = Bend(a1, b);
    double h2 = Bend(a2, b);
    if (d < 100) {
        const double k = std::max(0.01 * d * 0.01 * d, 0.5);
        h1 = (1 - k) * a1 + k * h1;
        h2 = (1 - k) * a2 + k * h2;
    }
    const Vec c1{Round(key.x1 + handle * std::cos(h1)), Round(key.y1 + handle * std::sin(h1))};
    const Vec c2{Round(key.x2 + handle * std::cos(h2)), Round(key.y2 + handle * std::sin(h2))};
    q0_ = {dx, dy};
    q1_ = {c1.x - key.x1, c1.y - key.y1};
    q2_ = {c2.x - key.x1, c2.y - key.y1};

    SnapParameters(d);
    Thin();
    for (const float t : parameters_) {
        const Vec p = Snap(Evaluate(t));
        points_.emplace_back(key.x1 + static_cast<int32_t>(p.x), key.y1 + static_cast<int32_t>(p.y));
    }
}

CSnakeShape::Vec CSnakeShape::Evaluate(double t) const
{
    const double s = 1 - t;
    const double w0 = s * s * s;
    const double w2 = 3 * s * s * t;
    const double w1 = 3 * s * t * t;
    return {w0 * q0_.x + w2 * q2_.x + w1 * q1_.x, w0 * q0_.y + w2 * q2_.y + w1 * q1_.y};
}

CSnakeShape::Vec CSnakeShape::Snap(const Vec& v)
{
    return {Round(v.x), Round(v.y)};
}

double CSnakeShape::SnapError(const Vec& v)
{
    const Vec s = Snap(v);
    return (s.x - v.x) * (s.x - v.x) + (s.y - v.y) * (s.y - v.y);
}

// Moves each inner parameter a little toward where the curve passes
// closest to a pixel centre, staying between its neighbours.
void CSnakeShape::SnapParameters(double length)
{
    if (length <= 0) {
        return;
    }
    const double step = 1.0 / (5.0 * length);
    const int n = static_cast<int>(parameters_.size());
    for (int i = 1; i <= n - 2; ++i) {
        const double t = parameters_[i];
        const double lo = (parameters_[i - 1] + t) / 2;
        const double hi = (parameters_[i + 1] + t) / 2;
        if (!(lo < t)) {
            continue;
        }
        double best = t;
        double bestError = 1000.0;
        for (int k = 0; k < kSnapSteps && t + k * step < hi; ++k) {
            for (const double candidate : {t - k * step, t + k * step}) {
                const double error = SnapError(Evaluate(candidate));
                if (error < bestError) {
                    bestError = error;
                    best = candidate;
                }
            }
        }
        parameters_[i] = static_cast<float>(best);
    }
}

void CSnakeShape::Thin()
{
    size_t i = 1;
    while (i < parameters_.size()) {
        const Vec a = Snap(Evaluate(parameters_[i - 1]));
        const Vec b = Snap(Evaluate(parameters_[i]));
        if (std::hypot(a.x - b.x, a.y - b.y) >= kMinSpacing) {
            ++i;
        } else if (parameters_.size() < 3) {
            break;
        } else {
            parameters_.erase(parameters_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    parameters_.back() = 1.0F;
}
