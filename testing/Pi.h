#pragma once

// The doubles nearest pi, 2 pi and pi / 2, as the library writes them, for
// the tests and the fuzzers.
namespace QuoriaTesting
{

constexpr double Pi = 3.141592653589793;
constexpr double TwoPi = 6.283185307179586;
constexpr double HalfPi = 1.5707963267948966;

} // namespace QuoriaTesting
