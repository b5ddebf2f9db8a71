// Decimal numbers in texts, read the same under every locale: the decimal point is '.',
// as tags and settings files hold it, whatever the user's locale says.
#pragma once
#include <cstddef>
#include <string>

namespace formats {

// The number at text[at]: an optional sign, digits with at most one decimal point (at least
// one digit), and an exponent when digits follow its "e". Returns the index just past it,
// or `at` when there is no number there. A value too large for a double gives the largest
// double (infinity when `infinite`), one too small gives 0.
std::size_t ScanNumber(const std::string& text, std::size_t at, double& value, bool infinite = false);
// True when the whole text, blanks (space, tab) around it aside, is one number: ".5", "5."
// and "7.25" are, "1e2" too; no thousands separators, no decimal comma. Then `value`
// holds it (too large for a double: infinity).
bool ReadNumber(const std::string& text, double& value);
// The leading-number rule: blanks and line ends skipped, the longest leading decimal
// number used, no number gives 0 ("12abc" gives 12).
double LeadingNumber(const std::string& text);
// Rounds to the nearest whole number, halves to the even one.
long long RoundHalfEven(double value);

}  // namespace formats
