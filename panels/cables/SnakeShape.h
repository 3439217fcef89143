#pragma once

#include "framework/base/Point.h"
#include "panels/cables/CableKey.h"

#include <cstdint>
#include <vector>

// The curve of a curved cable: a cubic Bezier from end 2 to end 1 whose
// handles bend by an angle drawn from the end points and the area's shape
// byte, sampled at parameters that crowd toward the ends, snapped to whole
// pixels and thinned to points at least 4 pixels apart.
class CSnakeShape {
public:
    CSnakeShape(const CableKey& key, uint8_t shape);

    // The number of parameters before thinning (5..20, from the length).
    int GetInitialCount() const { return initialCount_; }
    // The parameters left after thinning; the last is 1.
    const std::vector<float>& GetParameters() const { return parameters_; }
    // The points of the chain, from end 2 to end 1.
    const std::vector<NSHarrowen::CPoint>& GetPoints() const { return points_; }

private:
    struct Vec {
        double x;
        double y;
    };

    Vec Evaluate(double t) const;
    static Vec Snap(const Vec& v);
    static double SnapError(const Vec& v);
    void SnapParameters(double length);
    void Thin();

    // Relative to end 1.
    Vec q0_{};
    Vec q1_{};
    Vec q2_{};
    int initialCount_ = 0;
    std::vector<float> parameters_;
    std::vector<NSHarrowen::CPoint> points_;
};
