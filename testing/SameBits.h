#pragma once

// Bit-for-bit equality of doubles, for checks that a faster or parallel path
// gives exactly what the single call gives: NaN equals the same NaN, 0 and
// -0 differ.

#include "Point.h"

#include <cstring>
#include <vector>

namespace QuoriaTesting
{

inline bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Three coordinates stored x, y, z against a point.
inline bool SameBits(const double* coordinates, const Tessam::Geometry3D::Point& point)
{
    return SameBits(coordinates[0], point.X()) && SameBits(coordinates[1], point.Y()) &&
           SameBits(coordinates[2], point.Z());
}

inline bool SameBits(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

} // namespace QuoriaTesting
