#pragma once

#include "Point.h"

#include <string>
#include <vector>

namespace QuoriaTrace
{

constexpr double Pi = 3.14159265358979323846;
constexpr double DegreesToRadians = Pi / 180.0;
constexpr double RadiansToDegrees = 180.0 / Pi;
// UTF-8, as everything the tool writes; the library's own texts go through
// ToUtf8.
constexpr const char* DegreeSign = "\xC2\xB0";
constexpr const char* Microseconds = "\xC2\xB5s";

// As short as the value allows ("%g"): for values the user gave.
std::string General(double value);
// A fixed number of decimals, and never "-0.000" for a value that rounds to zero.
std::string Fixed(double value, int decimals);
// Twelve significant digits: enough to tell apart any two results worth telling apart.
std::string Precise(double value);
// "(x, y, z)" with General or with Fixed three decimals.
std::string GeneralPoint(const Tessam::Geometry3D::Point& point);
std::string FixedPoint(const Tessam::Geometry3D::Point& point);
// UTF-8 characters, not bytes, so that columns line up.
std::size_t TextWidth(const std::string& text);
// Rows of cells as the lines of a table: each column as wide as its widest
// cell, two spaces apart, its cells on the right where `right[c]`, on the
// left otherwise; no line ends in spaces.
std::string TableText(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& right);
// The size of an angle given in radians, in degrees with two decimals: "36.00°".
std::string DegreesText(double radians);

} // namespace QuoriaTrace
