#include "scenario_files/text_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace vorn {
namespace {

std::string number(double value, std::string_view nonFinite = {}) {
    std::string out;
    appendNumber(out, value, nonFinite);
    return out;
}

// Digits from the first to the last that is not 0.
std::size_t significantDigits(std::string text) {
    std::erase_if(text, [](char c) { return c < '0' || c > '9'; });
    const std::size_t first = text.find_first_not_of('0');
    return first == std::string::npos ? 0 : text.find_last_not_of('0') - first + 1;
}

std::string json(std::string_view text) {
    std::string out;
    appendJsonString(out, text);
    return out;
}

// Written numbers read as the tables show them: no binary noise, plain decimals, at most 15
// significant digits, and within a rounding of the 15th digit of the value.
TEST(TextFormat, NumbersAreWrittenAsTheTablesShowThem) {
    EXPECT_EQ(number(0.1 + 0.2) + " " + number(5.3999999999999995) + " " + number(-0.0),
              "0.3 5.4 0");
    EXPECT_EQ(number(-1.25e-7) + " " + number(2.5e16), "-0.000000125 25000000000000000");
    std::mt19937_64 generator(5);
    std::uniform_real_distribution<double> spread(-1e6, 1e6);
    for (int k = 0; k < 1000; ++k) {
        const double value = spread(generator) / (1 + k);
        const std::string text = number(value);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << text;
        EXPECT_LE(significantDigits(text), 15u) << text;
    }
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(number(inf) + number(-inf) + number(std::nan("")), "inf-infnan");
    EXPECT_EQ(number(inf, "null") + number(std::nan(""), "null"), "nullnull");
}

TEST(TextFormat, JsonStringsEscapeAndStayValidUtf8) {
    EXPECT_EQ(json("say \"hi\" C:\\d"), R"("say \"hi\" C:\\d")");
    EXPECT_EQ(json("a\nb\rc\td"), R"("a\nb\rc\td")");
    EXPECT_EQ(json(std::string_view("\x01\x1f\0", 3)), R"("\u0001\u001f\u0000")");
    const std::string letters = "\xC3\xA4 \xE2\x82\xAC \xF0\x9F\x8C\x8D";
    EXPECT_EQ(json(letters), "\"" + letters + "\"");
    const std::string bad = "\xEF\xBF\xBD";  // U+FFFD for each byte that is not UTF-8
    EXPECT_EQ(json("M\xFCll"), "\"M" + bad + "ll\"");
    EXPECT_EQ(json("cut \xE2\x82"), "\"cut " + bad + bad + "\"");
    EXPECT_EQ(json("\xC0\xAF"), "\"" + bad + bad + "\"");                      // overlong
    EXPECT_EQ(json("\xED\xA0\x80"), "\"" + bad + bad + bad + "\"");            // surrogate
    EXPECT_EQ(json("\xF4\x90\x80\x80"), "\"" + bad + bad + bad + bad + "\"");  // > U+10FFFF
}

}  // namespace
}  // namespace vorn
