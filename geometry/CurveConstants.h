// The constants of the plug-in's curves: the handle lengths of quarter circles drawn as
// cubic Beziers, and the five-point Gauss-Legendre rule that measures curves.
#pragma once

#include <concepts>

// The drawing tools' circles: a quarter's handle is its diameter over this, 0.5522766 of
// the radius. Every circle, ellipse, arc and round label frame the plug-in draws uses it.
inline constexpr double kCircleHandleDivisor = 3.6213737826;

// The handle length of a quarter circle of the diameter, in the caller's precision.
template <std::floating_point T>
constexpr T QuarterCircleHandle(T diameter) {
    return diameter / static_cast<T>(kCircleHandleDivisor);
}

// The textbook quarter-circle handle over the radius, 4 (√2 - 1) / 3: the walls' door swings.
inline constexpr double kKappa = 0.55228474983;

// Five-point Gauss-Legendre on [-1, 1]: the middle node first, then the inner and the outer
// pairs.
inline constexpr double kGaussLegendreNodes[5] = {0.0, -0.5384693101056831, 0.5384693101056831,
                                                  -0.9061798459386640, 0.9061798459386640};
inline constexpr double kGaussLegendreWeights[5] = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665,
                                                    0.2369268850561891, 0.2369268850561891};
