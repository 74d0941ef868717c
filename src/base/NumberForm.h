#pragma once

#include <string>
#include <string_view>

namespace plandeck {

// The numeric value of a text as the data files read it: leading blanks are skipped, then the longest
// prefix that forms a number (an optional sign, digits, at most one decimal point) is taken. Anything
// else reads 0: " 1 " -> 1, "1.5" -> 1.5, "08" -> 8, "0A" -> 0, "" -> 0.
double NumericValue(std::string_view text);

// The numeric value rounded to the nearest integer, halves to the even neighbour, clamped into int.
int IntegerValue(std::string_view text);

// The value of a text made of 1 to `maxDigits` decimal digits and nothing else; -1 for any other text.
int PlainDecimal(std::string_view text, std::size_t maxDigits);

// A flag is on only when the numeric value of its line is exactly 1.
bool FlagValue(std::string_view text);

// How numbers are written to the option files: " 8 ", "-3 ", " 9.5 ".
std::string NumberForm(double value);

} // namespace plandeck
