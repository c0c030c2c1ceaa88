#include "NumberText.h"

#include <cmath>
#include <cstdio>

namespace QuoriaTrace
{

std::string General(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Fixed(double value, int decimals)
{
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
    {
        value = 0.0;
    }
    // Room for the 309 digits of the largest double.
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Precise(double value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.12g", value);
    return text;
}

std::string GeneralPoint(const Tessam::Geometry3D::Point& point)
{
    return "(" + General(point.X()) + ", " + General(point.Y()) + ", " + General(point.Z()) + ")";
}

std::string FixedPoint(const Tessam::Geometry3D::Point& point)
{
    return "(" + Fixed(point.X(), 3) + ", " + Fixed(point.Y(), 3) + ", " + Fixed(point.Z(), 3) + ")";
}

std::string DegreesText(double radians)
{
    return Fixed(std::fabs(radians) * RadiansToDegrees, 2) + DegreeSign;
}

} // namespace QuoriaTrace
