#ifndef DECIMALS_H
#define DECIMALS_H

#include <cstdint>
#include <string>

// numerator / denominator with `decimals` decimals, rounded half up (四捨五入) on the exact fraction, as
// a pupil checks it by hand: 465 / 10000 to three decimals is "0.047". numerator >= 0, denominator > 0.
std::string roundedDecimal(std::int64_t numerator, std::int64_t denominator, int decimals);

// A value of the exact law (a probability, a percentage or an expected count, 0 to a million) by the same rule.
// The law is exact to far finer than a billionth: a value that is a half at the precision shown stays one.
std::string roundedDecimal(long double value, int decimals);

#endif
