#pragma once

#include <string>
#include <string_view>

namespace vorn {

/// Appends a number as the tables show it (numberText: 15 significant digits in plain decimal
/// form), so that a sum such as 5.3999999999999995 reads 5.4; a zero is written 0 whatever
/// its sign. Non-finite numbers append `nonFinite` when it is given, otherwise inf, -inf or
/// nan.
void appendNumber(std::string& out, double value, std::string_view nonFinite = {});

/// Appends a JSON string literal: quotes, backslashes and control characters escaped, and
/// bytes that are not valid UTF-8 replaced by U+FFFD, so the output is always valid JSON.
void appendJsonString(std::string& out, std::string_view text);

/// Appends a CSV field: quoted, with quotes doubled, when the text holds a comma, quote,
/// carriage return or line feed, or begins or ends with a blank or tab; unchanged otherwise.
void appendCsvField(std::string& out, std::string_view text);

}  // namespace vorn
