#pragma once

// The library's two named tolerances besides RelativeCheckEqual's default.
// They share a value but not a meaning.
namespace Tessam
{
namespace Geometry3D
{

// Points closer than this on every axis (Point::IsAlmostEqual) are one point:
// the ends of chained segments, duplicate vertices, a cone's apex.
constexpr double VertexTolerance = 1e-6;

// Angle sums and right angles are equal within this (RelativeCheckEqual).
constexpr double AngleTolerance = 1e-6;

} // namespace Geometry3D
} // namespace Tessam
