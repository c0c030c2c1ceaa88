#pragma once

#include <cstdio>
#include <string>

namespace QuoriaBench
{

// A ratio for the summary tables, two decimals; "-" where either side was
// not measured.
inline std::string Ratio(double numerator, double denominator)
{
    if (numerator <= 0.0 || denominator <= 0.0)
    {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", numerator / denominator);
    return text;
}

} // namespace QuoriaBench
