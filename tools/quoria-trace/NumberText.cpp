#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace QuoriaTrace
{

namespace
{

template <typename... Values> std::string Printed(const char* format, Values... values)
{
    // Room for the 309 digits of the largest double in "%f".
    char text[400];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

} // namespace

std::string General(double value)
{
    return Printed("%g", value);
}

std::string Fixed(double value, int decimals)
{
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
    {
        value = 0.0;
    }
    return Printed("%.*f", decimals, value);
}

std::string Precise(double value)
{
    return Printed("%.12g", value);
}

std::string GeneralPoint(const Tessam::Geometry3D::Point& point)
{
    return "(" + General(point.X()) + ", " + General(point.Y()) + ", " + General(point.Z()) + ")";
}

std::string FixedPoint(const Tessam::Geometry3D::Point& point)
{
    return "(" + Fixed(point.X(), 3) + ", " + Fixed(point.Y(), 3) + ", " + Fixed(point.Z(), 3) + ")";
}

std::size_t TextWidth(const std::string& text)
{
    std::size_t width = 0;
    for (const char c : text)
    {
        width += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return width;
}

std::string TableText(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& right)
{
    std::vector<std::size_t> widths;
    for (const std::vector<std::string>& row : rows)
    {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
        {
            widths[c] = std::max(widths[c], TextWidth(row[c]));
        }
    }
    std::string out;
    for (const std::vector<std::string>& row : rows)
    {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c)
        {
            const std::string fill(widths[c] - TextWidth(row[c]), ' ');
            line += (c == 0 ? "" : "  ") + (c < right.size() && right[c] ? fill + row[c] : row[c] + fill);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + "\n";
    }
    return out;
}

std::string DegreesText(double radians)
{
    return Fixed(std::fabs(radians) * RadiansToDegrees, 2) + DegreeSign;
}

} // namespace QuoriaTrace
