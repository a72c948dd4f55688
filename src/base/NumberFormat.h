#pragma once

#include <string>
#include <string_view>

// Number patterns:
//   0  a digit, always written        #  a digit, left out when it would be a leading or
//   .  the decimal separator              trailing zero
//   ,  anywhere before the decimal point: group the integer digits by thousands
//   E+ E- e+ e-  scientific notation, the zeros after it giving the least exponent digits
//   "..." or '...' literal text; ;  separates the sections for positive, negative and zero
//   values; any other character stands for itself ("##0.## %" adds " %" and does not scale).
// An empty pattern is the general format. The separators written are those of the current
// format settings.
std::string FormatFloat(std::string_view pattern, double value);

// The general format: the shortest text of the value with at most 15 significant digits,
// in scientific notation ("1.5E-7", "1E20") when the exponent is below -5 or above 14.
std::string FloatToStr(double value);
