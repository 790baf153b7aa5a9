#ifndef MEANFORMATTER_H
#define MEANFORMATTER_H

#include <string>

// The mean as the pattern "#####.0" shows it: no digit before the point when the whole
// part is zero ("-.5", ".0"), exactly one decimal, halves rounded away from zero.
// The float's shortest decimal form is rounded, so -7.95 shows as -8.0 as a pupil expects.
std::string formatMean(float mean);

#endif
