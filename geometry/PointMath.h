// The small helpers every folder shares: π and its fractions, degrees and radians, the
// distance and direction between points, polar offsets, point sums and the points between,
// the float error of lengths measured between points, and corner and smooth anchors. In the
// host's floats they compute exactly what its real-maths suite computes (directions in
// (-π, π], 0 between coincident points), so plain arithmetic serves where a call to the host
// did. A routine that works in doubles names double (Distance<double>) and gets the same
// formulas in doubles; its π is std::numbers::pi.
#pragma once

#include <algorithm>
#include <cmath>
#include <concepts>
#include <numbers>
#include <type_traits>

#include "AITypes.h"
#include "geometry/UnitFormat.h"

inline constexpr AIReal kPi = std::numbers::pi_v<AIReal>;
inline constexpr AIReal kHalfPi = kPi / 2;
inline constexpr AIReal kQuarterPi = kPi / 4;
inline constexpr AIReal kTwoPi = 2 * kPi;

// What a helper of precision T takes without a word: any number no wider than T. A double
// handed to a float helper does not compile, so no routine loses the precision it worked in
// unawares; it names double, or casts.
template <typename U, typename T>
concept NarrowsNothing = std::is_arithmetic_v<U> && !(std::is_floating_point_v<U> && sizeof(U) > sizeof(T));

// In floats with the host's factor, so that a value matches the host's own conversion; in
// doubles with the product divided last, as the arc geometry works.
template <std::floating_point T = AIReal, NarrowsNothing<T> U>
constexpr T DegreesToRadians(U degrees) {
    if constexpr (std::is_same_v<T, AIReal>)
        return static_cast<T>(degrees) * (std::numbers::pi_v<T> / 180);
    else
        return static_cast<T>(degrees) * std::numbers::pi_v<T> / 180;
}

template <std::floating_point T = AIReal, NarrowsNothing<T> U>
constexpr T RadiansToDegrees(U radians) {
    if constexpr (std::is_same_v<T, AIReal>)
        return static_cast<T>(radians) * (180 / std::numbers::pi_v<T>);
    else
        return static_cast<T>(radians) * 180 / std::numbers::pi_v<T>;
}

inline AIRealPoint operator+(const AIRealPoint& a, const AIRealPoint& b) { return {a.h + b.h, a.v + b.v}; }
inline AIRealPoint operator-(const AIRealPoint& a, const AIRealPoint& b) { return {a.h - b.h, a.v - b.v}; }

template <std::floating_point T = AIReal>
T Distance(const AIRealPoint& from, const AIRealPoint& to) {
    return std::hypot(static_cast<T>(to.h) - from.h, static_cast<T>(to.v) - from.v);
}

// The direction from one point to another in (-π, π]; 0 when they coincide.
template <std::floating_point T = AIReal>
T Angle(const AIRealPoint& from, const AIRealPoint& to) {
    const T h = static_cast<T>(to.h) - from.h, v = static_cast<T>(to.v) - from.v;
    if (h == 0 && v == 0) return 0;
    const T angle = std::atan2(v, h);
    return angle <= -std::numbers::pi_v<T> ? std::numbers::pi_v<T> : angle;
}

// The step of the length along the angle (radians).
template <std::floating_point T = AIReal, NarrowsNothing<T> L, NarrowsNothing<T> A>
AIRealPoint Polar(L length, A angle) {
    const T l = static_cast<T>(length), a = static_cast<T>(angle);
    return {static_cast<AIReal>(l * std::cos(a)), static_cast<AIReal>(l * std::sin(a))};
}

// The point the length away from `from` along the angle (radians).
template <std::floating_point T = AIReal, NarrowsNothing<T> L, NarrowsNothing<T> A>
AIRealPoint PointAlong(const AIRealPoint& from, L length, A angle) {
    const T l = static_cast<T>(length), a = static_cast<T>(angle);
    return {static_cast<AIReal>(from.h + l * std::cos(a)), static_cast<AIReal>(from.v + l * std::sin(a))};
}

// The same with the angle in degrees.
template <std::floating_point T = AIReal, NarrowsNothing<T> L, NarrowsNothing<T> A>
AIRealPoint PointAtDegrees(const AIRealPoint& from, L length, A degrees) {
    return PointAlong<T>(from, length, DegreesToRadians<T>(degrees));
}

// The point the fraction t of the way from a to b.
template <std::floating_point T = AIReal, NarrowsNothing<T> F>
AIRealPoint Between(const AIRealPoint& a, const AIRealPoint& b, F t) {
    const T f = static_cast<T>(t);
    return {static_cast<AIReal>(a.h + f * (static_cast<T>(b.h) - a.h)),
            static_cast<AIReal>(a.v + f * (static_cast<T>(b.v) - a.v))};
}

// How far a point's coordinates may lie from those meant: a coordinate the host holds is
// within half a float's spacing of it; one taken back through a projection, farther.
struct PointError {
    double h = 0, v = 0;
};

inline double HeldError(AIReal coordinate) { return floatSpacing(std::fabs(coordinate)) / 2; }
inline PointError HeldError(const AIRealPoint& p) { return {HeldError(p.h), HeldError(p.v)}; }

// The float error of a length measured from a to b along the unit direction (uh, uv): only
// the coordinates it is measured along count, so a length reads the same wherever it lies.
inline double LengthError(const PointError& a, const PointError& b, double uh, double uv) {
    return std::fabs(uh) * (a.h + b.h) + std::fabs(uv) * (a.v + b.v);
}

// The float error of the distance between two points the host holds, measured along the
// line through them (both ways at once between coincident points).
inline double DistanceError(const AIRealPoint& a, const AIRealPoint& b) {
    const double dh = static_cast<double>(b.h) - a.h, dv = static_cast<double>(b.v) - a.v;
    const double d = std::hypot(dh, dv);
    const PointError ea = HeldError(a), eb = HeldError(b);
    return d > 0 ? LengthError(ea, eb, dh / d, dv / d) : LengthError(ea, eb, 1, 1);
}

inline AIPathSegment CornerAnchor(const AIRealPoint& p) { return {p, p, p, true}; }
// A corner whose handles stand out of it: the path turns there.
inline AIPathSegment CornerAnchor(const AIRealPoint& p, const AIRealPoint& in, const AIRealPoint& out) {
    return {p, in, out, true};
}
inline AIPathSegment SmoothAnchor(const AIRealPoint& p, const AIRealPoint& in, const AIRealPoint& out) {
    return {p, in, out, false};
}
