#pragma once

#include <numbers>

// The multiples of pi that the built-in curve formulas use, as the doubles they are written with.
namespace CurveFormula
{
constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kFourPi = 12.566370614359172;
constexpr double kEightPi = 25.132741228718345;
}
