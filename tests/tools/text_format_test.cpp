#include "vorn_run/text_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace vorn::batch {
namespace {

std::string number(double value, std::string_view nonFinite = {}) {
    std::string out;
    appendNumber(out, value, nonFinite);
    return out;
}

std::string json(std::string_view text) {
    std::string out;
    appendJsonString(out, text);
    return out;
}

std::string csv(std::string_view text) {
    std::string out;
    appendCsvField(out, text);
    return out;
}

TEST(TextFormat, NumbersAreShortestAndReadBackExactly) {
    EXPECT_EQ(number(1), "1");
    EXPECT_EQ(number(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(number(1.05), "1.05");
    EXPECT_EQ(number(-2.5), "-2.5");
    EXPECT_EQ(number(-0.0), "0");
    EXPECT_EQ(number(1e-7), "1e-07");
    std::mt19937_64 generator(5);
    std::uniform_real_distribution<double> spread(-1e6, 1e6);
    for (int k = 0; k < 1000; ++k) {
        const double value = spread(generator) / (1 + k);
        const std::string text = number(value);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
    }
}

TEST(TextFormat, NonFiniteNumbersTakeTheGivenText) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(number(inf, "null"), "null");
    EXPECT_EQ(number(std::nan(""), "null"), "null");
    EXPECT_EQ(number(inf), "inf");
    EXPECT_EQ(number(-inf), "-inf");
    EXPECT_EQ(number(-std::nan("")), "nan");
}

TEST(TextFormat, JsonStringsEscapeQuotesBackslashesAndControls) {
    EXPECT_EQ(json("Item  1"), "\"Item  1\"");
    EXPECT_EQ(json("say \"hi\""), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(json("C:\\data"), "\"C:\\\\data\"");
    EXPECT_EQ(json("a\nb\rc\td"), "\"a\\nb\\rc\\td\"");
    EXPECT_EQ(json(std::string_view("\x01\x1f\0", 3)), "\"\\u0001\\u001f\\u0000\"");
    EXPECT_EQ(json("/\x7f"), "\"/\x7f\"");
}

TEST(TextFormat, JsonStringsKeepUtf8AndReplaceBrokenBytes) {
    EXPECT_EQ(json("Wasser \xC3\xA4 \xE2\x82\xAC \xF0\x9F\x8C\x8D"),
              "\"Wasser \xC3\xA4 \xE2\x82\xAC \xF0\x9F\x8C\x8D\"");
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(json("M\xFCll"), "\"M" + replacement + "ll\"");                      // a Latin-1 byte
    EXPECT_EQ(json("cut \xE2\x82"), "\"cut " + replacement + replacement + "\"");  // cut short
    EXPECT_EQ(json("\xC0\xAF"), "\"" + replacement + replacement + "\"");          // overlong
    EXPECT_EQ(json("\xED\xA0\x80"), "\"" + replacement + replacement + replacement + "\"");
    EXPECT_EQ(json("\xF4\x90\x80\x80"),  // above U+10FFFF
              "\"" + replacement + replacement + replacement + replacement + "\"");
    EXPECT_EQ(json("\x80"), "\"" + replacement + "\"");
}

TEST(TextFormat, CsvFieldsAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(csv("Item  1"), "Item  1");
    EXPECT_EQ(csv(""), "");
    EXPECT_EQ(csv("Food, Water"), "\"Food, Water\"");
    EXPECT_EQ(csv("6\" pipe"), "\"6\"\" pipe\"");
    EXPECT_EQ(csv("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csv("cr\rhere"), "\"cr\rhere\"");
    EXPECT_EQ(csv(" lead"), "\" lead\"");
    EXPECT_EQ(csv("trail "), "\"trail \"");
    EXPECT_EQ(csv("\ttab"), "\"\ttab\"");
}

}  // namespace
}  // namespace vorn::batch
