#include "tables/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <ostream>
#include <string>

namespace vorn {
namespace {

struct ValueCase {
    const char* name;
    std::string text;
    double value;
    friend void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }
};

class NumericValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NumericValue, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(numericValue(GetParam().text), GetParam().value)
        << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValue,
    ::testing::Values(
        ValueCase{"empty", "", 0}, ValueCase{"percent_mark", "%   ", 0},
        ValueCase{"header", "Item  3", 0}, ValueCase{"whole", "5", 5},
        ValueCase{"negative", "-1.25", -1.25}, ValueCase{"plus_sign", "+2", 2},
        ValueCase{"leading_period", ".5", 0.5}, ValueCase{"signed_period", "-.5", -0.5},
        ValueCase{"trailing_percent", "12.5 %", 12.5}, ValueCase{"blanks_inside", " 1 2 . 5", 12.5},
        ValueCase{"tabs_and_line_feeds", "\t-\n3\t.2", -3.2},
        ValueCase{"second_period_ends", "1.2.3", 1.2}, ValueCase{"exponent", "1.5E3", 1500},
        ValueCase{"lower_exponent", "2e-2", 0.02}, ValueCase{"exponent_without_digits", "7E", 7},
        ValueCase{"exponent_sign_without_digits", "7E+x", 7},
        ValueCase{"comma_is_not_a_separator", "1,5", 1}, ValueCase{"lonely_period", ".", 0},
        ValueCase{"lonely_sign", "-", 0}, ValueCase{"carriage_return_not_skipped", "\r5", 0},
        ValueCase{"underflow", "1e-999", 0}),
    [](const ::testing::TestParamInfo<ValueCase>& info) { return std::string(info.param.name); });

TEST(NumericValueExtremes, OverflowIsInfiniteAndLongTextsAreRead) {
    EXPECT_EQ(numericValue("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(numericValue("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(numericValue("1e99999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(numericValue("0e99999999999999999999"), 0.0);
    EXPECT_EQ(numericValue(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(numericValue(std::string(300, '9')), 1e300);
    EXPECT_DOUBLE_EQ(numericValue("1" + std::string(300, '0') + "e-300"), 1.0);
    EXPECT_DOUBLE_EQ(numericValue("0." + std::string(300, '0') + "1e301"), 1.0);
}

struct TextCase {
    const char* name;
    double value;
    std::string text;
    friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }
};

class NumberText : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberText, WritesPlainDecimals) {
    EXPECT_EQ(numberText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberText,
    ::testing::Values(TextCase{"sum_rounds_to_15_digits", 0.1 + 0.2, "0.3"},
                      TextCase{"negative", -1.25, "-1.25"}, TextCase{"whole", 5, "5"},
                      TextCase{"zero", 0, "0"}, TextCase{"negative_zero", -0.0, "0"},
                      TextCase{"leading_zero", 0.5, "0.5"}, TextCase{"small", 0.0001, "0.0001"},
                      TextCase{"large", 123456789012345.0, "123456789012345"},
                      TextCase{"beyond_15_digits", 1234567890123456789.0, "1234567890123460000"},
                      TextCase{"floor_of_hundredths", 115.0 / 100, "1.15"},
                      TextCase{"tiny", 1e-20, "0.00000000000000000001"},
                      TextCase{"infinite", std::numeric_limits<double>::infinity(), "Overflow"},
                      TextCase{"minus_infinite", -std::numeric_limits<double>::infinity(),
                               "Overflow"},
                      TextCase{"not_a_number", std::nan(""), "Overflow"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(NumberTextRoundTrip, TextReadsBackToTheSameFifteenDigits) {
    for (double value : {1.0 / 3, -2.0 / 7, 1e300, -1e-300, 987654.321, 0.07}) {
        const double back = numericValue(numberText(value));
        EXPECT_NEAR(back, value, std::abs(value) * 1e-14) << numberText(value);
    }
}

// A locale that writes decimal commas must change neither rule.
struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(NumberRulesUnderALocale, IgnoreTheGlobalLocale) {
    const char* installed = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE", "fr_FR"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            installed = name;
            break;
        }
    }
    std::locale::global(installed != nullptr
                            ? std::locale(installed)
                            : std::locale(std::locale::classic(), new CommaDecimals));
    EXPECT_DOUBLE_EQ(numericValue("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(numericValue("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(numericValue("-2.5e1"), -25);
    EXPECT_EQ(numberText(-1.25), "-1.25");
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberText(1234567.5), "1234567.5");
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    if (installed == nullptr) {
        GTEST_SKIP() << "no comma-decimal C locale is installed; only the C++ locale was tried";
    }
}

TEST(LabelsAndWidths, FollowTheirRules) {
    EXPECT_EQ(yearLabel(2040), " 2040");
    EXPECT_EQ(yearLabel(1600), " 1600");
    EXPECT_EQ(itemColumnWidth(8), 944);   // 944.4
    EXPECT_EQ(itemColumnWidth(3), 2125);  // exact
    EXPECT_EQ(itemColumnWidth(0), 8500);
    EXPECT_EQ(itemColumnWidth(7), 1062);  // 1062.5: tie goes to the even neighbour
    EXPECT_EQ(itemColumnWidth(15), 531);  // 531.25
    EXPECT_EQ(itemColumnWidth(19), 425);
    EXPECT_EQ(itemColumnWidth(20), 405);  // 404.76
}

}  // namespace
}  // namespace vorn
