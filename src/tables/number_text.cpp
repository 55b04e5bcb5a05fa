#include "tables/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vorn {
namespace {

bool isSkipped(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n';
}
bool isDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// Digits from `pos` on; returns how many.
std::size_t skipDigits(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
    }
    return pos - start;
}

// Collects the characters of the leading number of `text`, skipped characters removed.
// `decimalExponent` receives an estimate of the power of ten of the number's magnitude,
// used to tell an overflow from an underflow.
struct LeadingNumber {
    std::string chars;
    bool negative = false;
    bool found = false;
    long long magnitude = 0;
};

LeadingNumber scanLeadingNumber(std::string_view text) {
    LeadingNumber result;
    std::size_t pos = 0;
    auto peek = [&]() -> char {
        while (pos < text.size() && isSkipped(text[pos])) {
            ++pos;
        }
        return pos < text.size() ? text[pos] : '\0';
    };

    char ch = peek();
    if (ch == '+' || ch == '-') {
        result.negative = ch == '-';
        ++pos;
    }
    bool seenPeriod = false;
    bool seenNonZero = false;
    long long digitsBeforePoint = 0;
    long long leadingZerosAfterPoint = 0;
    std::string mantissa;
    while (true) {
        ch = peek();
        if (isDigit(ch)) {
            result.found = true;
            if (ch != '0') {
                seenNonZero = true;
            }
            if (!seenPeriod) {
                if (seenNonZero) {
                    ++digitsBeforePoint;
                }
            } else if (!seenNonZero) {
                ++leadingZerosAfterPoint;
            }
            mantissa.push_back(ch);
            ++pos;
        } else if (ch == '.' && !seenPeriod) {
            seenPeriod = true;
            mantissa.push_back(ch);
            ++pos;
        } else {
            break;
        }
    }
    if (!result.found) {
        return result;
    }
    result.chars = mantissa;
    result.magnitude = seenNonZero ? (digitsBeforePoint > 0 ? digitsBeforePoint - 1
                                                            : -(leadingZerosAfterPoint + 1))
                                   : std::numeric_limits<int>::min();

    // An exponent belongs to the number only when digits follow the E and its sign.
    std::size_t afterMantissa = pos;
    ch = peek();
    if (ch == 'E' || ch == 'e') {
        ++pos;
        std::string exponent;
        ch = peek();
        if (ch == '+' || ch == '-') {
            exponent.push_back(ch);
            ++pos;
        }
        long long exponentValue = 0;
        bool exponentDigits = false;
        while (isDigit(ch = peek())) {
            exponentDigits = true;
            if (exponentValue < 1'000'000'000) {
                exponentValue = exponentValue * 10 + (ch - '0');
            }
            exponent.push_back(ch);
            ++pos;
        }
        if (exponentDigits) {
            result.chars += 'e';
            // Keep the exponent text short; from_chars only needs to see its size.
            if (exponentValue >= 1'000'000'000) {
                exponent = (exponent[0] == '-' ? "-" : "") + std::string("999999999");
            }
            result.chars += exponent;
            if (result.magnitude != std::numeric_limits<int>::min()) {
                result.magnitude += exponent[0] == '-' ? -exponentValue : exponentValue;
            }
        } else {
            pos = afterMantissa;
        }
    }
    return result;
}

}  // namespace

bool isDecimalNumber(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::size_t digits = skipDigits(text, pos);
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        digits += skipDigits(text, pos);
    }
    if (digits == 0) {
        return false;
    }
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            ++pos;
        }
        if (skipDigits(text, pos) == 0) {
            return false;
        }
    }
    return pos == text.size();
}

std::string_view trimBlanks(std::string_view text) {
    const auto isBlank = [](char ch) { return ch == ' ' || ch == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

double numericValue(std::string_view text) {
    LeadingNumber number = scanLeadingNumber(text);
    if (!number.found) {
        return 0.0;
    }
    const std::string& chars = number.chars;
    double value = 0.0;
    if (chars == ".") {
        return 0.0;
    }
    auto [end, error] = std::from_chars(chars.data(), chars.data() + chars.size(), value,
                                        std::chars_format::general);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        value = number.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return number.negative ? -value : value;
}

bool startsWithNumber(std::string_view text) {
    LeadingNumber number = scanLeadingNumber(text);
    return number.found && number.chars != ".";
}

std::string numberText(double value) {
    std::string text;
    appendNumberText(text, value);
    return text;
}

void appendNumberText(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += kOverflowText;
        return;
    }
    if (value == 0.0) {
        out += '0';
        return;
    }
    // Scientific form with 15 significant digits: [-]d.dddddddddddddde[+-]XX
    char buffer[64];
    const char* const end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    const char* digitsBegin = buffer;
    if (*digitsBegin == '-') {
        out += '-';
        ++digitsBegin;
    }
    const char* const ePos = std::find(digitsBegin, end, 'e');
    int exponent = 0;
    std::from_chars(ePos + (ePos[1] == '+' ? 2 : 1), end, exponent);
    char digits[20];
    int digitCount = 0;
    for (const char* ch = digitsBegin; ch != ePos; ++ch) {
        if (*ch != '.') {
            digits[digitCount++] = *ch;
        }
    }
    while (digitCount > 1 && digits[digitCount - 1] == '0') {
        --digitCount;
    }
    const std::string_view kept(digits, static_cast<std::size_t>(digitCount));
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += kept;
    } else if (exponent + 1 >= digitCount) {
        out += kept;
        out.append(static_cast<std::size_t>(exponent + 1 - digitCount), '0');
    } else {
        out += kept.substr(0, static_cast<std::size_t>(exponent + 1));
        out += '.';
        out += kept.substr(static_cast<std::size_t>(exponent + 1));
    }
}

std::string yearLabel(int year) {
    return " " + std::to_string(year);
}

int itemColumnWidth(int itemCount) {
    const int divisor = itemCount + 1;
    if (divisor <= 0) {
        return 8500;
    }
    int quotient = 8500 / divisor;
    const int remainder = 8500 % divisor;
    if (2 * remainder > divisor || (2 * remainder == divisor && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

}  // namespace vorn
