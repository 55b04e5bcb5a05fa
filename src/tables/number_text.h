#pragma once

#include <string>
#include <string_view>

namespace vorn {

/// Text that stands in an unset percentage cell; it reads as 0.
inline constexpr std::string_view kPercentMark = "%   ";

/// Text written for a number that is infinite or not a number.
inline constexpr std::string_view kOverflowText = "Overflow";

/// The value of the longest leading part of `text` that reads as a decimal number.
/// Blanks, tabs and line feeds are skipped anywhere; an optional sign, digits with at most
/// one period and an optional exponent (E or e) follow. The period is the decimal separator
/// whatever the locale. Returns 0 when no number starts the text, and +/-infinity when the
/// number is too large for a double.
double numericValue(std::string_view text);

/// True when `text` starts with a number in the sense of numericValue (after skipped blanks).
bool startsWithNumber(std::string_view text);

/// True when the whole of `text` is one decimal number, without blanks: an optional sign,
/// digits with at most one period, then an optional exponent (E or e, an optional sign and
/// digits). How a typed entry and an unquoted field of a scenario file are told to be numbers.
bool isDecimalNumber(std::string_view text);

/// `text` without the blanks and tabs at its ends.
std::string_view trimBlanks(std::string_view text);

/// The number rounded to 15 significant digits in plain decimal form: a period as
/// separator, a leading minus for negatives, a digit before the period, no trailing zeros
/// and no trailing period (0.1 + 0.2 gives "0.3"). Non-finite numbers give kOverflowText.
std::string numberText(double value);

/// Appends numberText(value) to `out`, without a string of its own: for long outputs.
void appendNumberText(std::string& out, double value);

/// A year as the charts label it: one blank and the digits of the year (" 2040").
std::string yearLabel(int year);

/// Width in twips of the item columns for `itemCount` items: 8500 / (itemCount + 1),
/// rounded to the nearest whole number with ties going to the even neighbour.
int itemColumnWidth(int itemCount);

}  // namespace vorn
