// Reads a number from clipboard text the way people copy numbers: surrounding white space,
// full-width digits and signs, thousands separators in groups of three, an exponent.
#pragma once

#include <string_view>

namespace zobu {

// Throws CalcFailure: TypeMismatch when the text is not one number, Overflow when its
// magnitude is beyond the double range. Linear in the length of the text.
double ReadPastedNumber(std::string_view utf8);

}  // namespace zobu
