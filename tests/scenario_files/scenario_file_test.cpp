#include "scenario_files/scenario_file.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "shell/trends.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

std::string lines(const std::vector<std::string>& fields, const std::string& end = "\r\n") {
    std::string out;
    for (const std::string& field : fields) {
        out += field + end;
    }
    return out;
}

// Two items A and B: Trend rows 1 -1 / 2 0, Uncertainty 5 10, Lags 1 0, Policy 1 at (B, B).
ScenarioTables twoItemTables() {
    ScenarioTables tables;
    tables.trend.resize(3, 3);
    tables.policy.resize(3, 3);
    tables.totals.resize(kTotalsRows, 3);
    const std::vector<std::string> trend = {"Trend Matrix", "A", "B", "A", "1",
                                            "-1",           "B", "2", "0"};
    const std::vector<std::string> policy = {
        "Policy Matrix", "A", "B", "A", "0", "0", "B", "0", "1"};
    for (int k = 0; k < 9; ++k) {
        tables.trend.setText(k / 3, k % 3, trend[static_cast<std::size_t>(k)]);
        tables.policy.setText(k / 3, k % 3, policy[static_cast<std::size_t>(k)]);
    }
    tables.totals.setText(0, 0, kTotalsTitle);
    tables.totals.setText(kUncertaintyRow, 0, kUncertaintyLabel);
    tables.totals.setText(kLagsRow, 0, kLagsLabel);
    tables.totals.setText(kUncertaintyRow, 1, "5");
    tables.totals.setText(kUncertaintyRow, 2, "10");
    tables.totals.setText(kLagsRow, 1, "1");
    tables.totals.setText(kLagsRow, 2, "0");
    return tables;
}

const std::string kTwoItemFile = lines({"2",
                                        "\"Trend Matrix\"",
                                        "\"A\"",
                                        "\"B\"",
                                        "\"A\"",
                                        "\"1\"",
                                        "\"-1\"",
                                        "\"B\"",
                                        "\"2\"",
                                        "\"0\"",
                                        "0",
                                        "5",
                                        "10",
                                        "0",
                                        "1",
                                        "0",
                                        "\"Policy Matrix\"",
                                        "\"A\"",
                                        "\"B\"",
                                        "\"A\"",
                                        "\"0\"",
                                        "\"0\"",
                                        "\"B\"",
                                        "\"0\"",
                                        "\"1\""});

std::vector<std::string> texts(const CellTable& table) {
    std::vector<std::string> out;
    for (int row = 0; row < table.rows(); ++row) {
        for (int column = 0; column < table.columns(); ++column) {
            out.push_back(table.text(row, column));
        }
    }
    return out;
}

ScenarioData parsed(const std::string& bytes) {
    ScenarioReadResult result = parseScenario(bytes);
    EXPECT_TRUE(result.data.has_value()) << result.error;
    return result.data.value_or(ScenarioData{});
}

ScenarioTables applied(const std::string& bytes) {
    ScenarioTables tables;
    applyScenario(tables, parsed(bytes));
    return tables;
}

void expectSameTables(const ScenarioTables& actual, const ScenarioTables& expected) {
    EXPECT_EQ(texts(actual.trend), texts(expected.trend));
    EXPECT_EQ(texts(actual.totals), texts(expected.totals));
    EXPECT_EQ(texts(actual.policy), texts(expected.policy));
}

TEST(ScenarioFile, WritesTheTwoItemExampleByteForByte) {
    EXPECT_EQ(formatScenario(twoItemTables(), ItemCount::number(2)), kTwoItemFile);
}

TEST(ScenarioFile, WritesACountHeldAsTextInQuotes) {
    const std::string file = formatScenario(twoItemTables(), ItemCount::fromText("2", 2));
    EXPECT_EQ(file, "\"2\"" + kTwoItemFile.substr(1));
}

TEST(ScenarioFile, ReadsTheTwoItemExample) {
    const ScenarioData data = parsed(kTwoItemFile);
    EXPECT_EQ(data.items, 2);
    EXPECT_EQ(data.countText, "2");
    EXPECT_FALSE(data.countQuoted);
    EXPECT_EQ(data.trend,
              (std::vector<std::string>{"Trend Matrix", "A", "B", "A", "1", "-1", "B", "2", "0"}));
    EXPECT_EQ(data.uncertainty, (std::vector<std::string>{"0", "5", "10"}));
    EXPECT_EQ(data.lags, (std::vector<std::string>{"0", "1", "0"}));
    EXPECT_EQ(data.policy.back(), "1");

    ScenarioTables tables;
    applyScenario(tables, data);
    EXPECT_EQ(tables.trend.rows(), 3);
    EXPECT_EQ(tables.totals.rows(), kTotalsRows);
    EXPECT_EQ(tables.totals.columns(), 3);
    EXPECT_EQ(tables.trend.text(1, 2), "-1");
    EXPECT_EQ(tables.policy.text(2, 2), "1");
    EXPECT_EQ(tables.totals.text(kUncertaintyRow, 2), "10");
    EXPECT_EQ(tables.totals.text(kLagsRow, 1), "1");
    EXPECT_EQ(tables.trend.text(0, 0), "Trend Matrix");
    EXPECT_EQ(tables.totals.text(0, 0), "Totals/Uncertainty");
    EXPECT_EQ(tables.policy.text(0, 0), "Policy Matrix");
}

TEST(ScenarioFile, ReplacesCornerTextsAndNormalisesUncertaintyAndLags) {
    std::vector<std::string> fields = {"2",     "\"My own\"", "\"A\"", "\"B\"", "\"A\"",
                                       "\"1\"", "\"-1\"",     "\"B\"", "\"2\"", "\"0\"",
                                       "\"x\"", "\"7.50\"",   "abc",   "0",     "\"1 yr\"",
                                       "-0",    "\"Mine\"",   "\"A\"", "\"B\"", "\"A\"",
                                       "\"0\"", "\"0\"",      "\"B\"", "\"0\"", "\"1\""};
    const ScenarioTables tables = applied(lines(fields));
    EXPECT_EQ(tables.trend.text(0, 0), "Trend Matrix");
    EXPECT_EQ(tables.policy.text(0, 0), "Policy Matrix");
    EXPECT_EQ(tables.totals.text(kUncertaintyRow, 1), "7.5");
    EXPECT_EQ(tables.totals.text(kUncertaintyRow, 2), "0");
    EXPECT_EQ(tables.totals.text(kLagsRow, 1), "1");
    EXPECT_EQ(tables.totals.text(kLagsRow, 2), "0");
}

TEST(ScenarioFile, WritesUncertaintyAndLagsAsNumbers) {
    ScenarioTables tables = twoItemTables();
    tables.totals.setText(kUncertaintyRow, 1, "7.5");
    tables.totals.setText(kUncertaintyRow, 2, "lots");
    tables.totals.setText(kLagsRow, 1, "%   ");
    tables.totals.setText(kLagsRow, 2, ".25 years");
    const ScenarioData data = parsed(formatScenario(tables, ItemCount::number(2)));
    EXPECT_EQ(data.uncertainty, (std::vector<std::string>{"0", "7.5", "0"}));
    EXPECT_EQ(data.lags, (std::vector<std::string>{"0", "0", "0.25"}));
}

TEST(ScenarioFile, NoItemsGiveFiveLinesAndOneCellTables) {
    ScenarioTables tables;
    tables.trend.resize(1, 1);
    tables.policy.resize(1, 1);
    tables.totals.resize(kTotalsRows, 1);
    tables.trend.setText(0, 0, kTrendTitle);
    tables.policy.setText(0, 0, kPolicyTitle);
    const std::string file = formatScenario(tables, ItemCount::number(0));
    EXPECT_EQ(file, lines({"0", "\"Trend Matrix\"", "0", "0", "\"Policy Matrix\""}));

    ScenarioTables loaded = twoItemTables();
    applyScenario(loaded, parsed(file));
    EXPECT_EQ(loaded.trend.rows(), 1);
    EXPECT_EQ(loaded.trend.columns(), 1);
    EXPECT_EQ(loaded.policy.rows(), 1);
    EXPECT_EQ(loaded.totals.rows(), kTotalsRows);
    EXPECT_EQ(loaded.totals.columns(), 1);
}

TEST(ScenarioFile, TwentyItemsWithLongTextsComeBackWhole) {
    constexpr int n = kMaxItems;
    ScenarioTables tables;
    tables.trend.resize(n + 1, n + 1);
    tables.policy.resize(n + 1, n + 1);
    tables.totals.resize(kTotalsRows, n + 1);
    for (int i = 0; i <= n; ++i) {
        const std::string name = "A rather long item name, number " + std::to_string(i);
        tables.trend.setText(0, i, name);
        tables.trend.setText(i, 0, name);
        tables.policy.setText(0, i, "Änderung, " + name);
        tables.policy.setText(i, 0, name);
        for (int j = 1; j <= n; ++j) {
            tables.trend.setText(i, j, numberText((i - j) * 0.25));
            tables.policy.setText(i, j, j == i ? "1.5 %" : std::string(kPercentMark));
        }
        tables.totals.setText(kUncertaintyRow, i, numberText(i * 0.5));
        tables.totals.setText(kLagsRow, i, std::to_string(i % 4));
    }
    tables.trend.setText(0, 0, kTrendTitle);
    tables.policy.setText(0, 0, kPolicyTitle);
    tables.totals.setText(kUncertaintyRow, 0, "0");
    tables.totals.setText(kLagsRow, 0, "0");

    const std::string file = formatScenario(tables, ItemCount::number(n));
    std::size_t lineCount = 0;
    for (std::size_t at = file.find("\r\n"); at != std::string::npos;
         at = file.find("\r\n", at + 2)) {
        ++lineCount;
    }
    EXPECT_EQ(lineCount, static_cast<std::size_t>(scenarioFieldCount(n)));

    ScenarioTables loaded;
    applyScenario(loaded, parsed(file));
    EXPECT_EQ(loaded.trend.text(0, 7), "A rather long item name, number 7");
    EXPECT_EQ(loaded.policy.text(0, 3), "Änderung, A rather long item name, number 3");
    EXPECT_EQ(texts(loaded.trend), texts(tables.trend));
    EXPECT_EQ(texts(loaded.policy), texts(tables.policy));
    EXPECT_EQ(formatScenario(loaded, ItemCount::number(n)), file);
}

TEST(ScenarioFile, FieldsOfTheLongestLengthAreReadWhole) {
    const std::string longest(kMaxFieldLength, 'x');
    std::string file = kTwoItemFile;
    file.replace(file.find("\"A\""), 3, "\"" + longest + "\"");
    EXPECT_EQ(parsed(file).trend[1], longest);

    file = kTwoItemFile;
    file.replace(file.find("\"A\""), 3, "\"" + longest + "x\"");
    const ScenarioReadResult result = parseScenario(file);
    EXPECT_FALSE(result.data);
    EXPECT_NE(result.error.find("longer than 4096 characters"), std::string::npos) << result.error;
}

// Files edited by hand load the same as the one-field-per-line form.
struct HandEdited {
    const char* name;
    std::string bytes;
    friend void PrintTo(const HandEdited& edited, std::ostream* out) { *out << edited.name; }
};

class ScenarioFileHandEdited : public ::testing::TestWithParam<HandEdited> {};

TEST_P(ScenarioFileHandEdited, LoadsLikeTheWrittenForm) {
    expectSameTables(applied(GetParam().bytes), applied(kTwoItemFile));
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Variants, ScenarioFileHandEdited,
    ::testing::Values(
        HandEdited{"QuotedCount", "\"2\"" + kTwoItemFile.substr(1)},
        HandEdited{"LineFeeds", replaced(kTwoItemFile, "\r\n", "\n")},
        HandEdited{"CarriageReturns", replaced(kTwoItemFile, "\r\n", "\r")},
        HandEdited{"NoFinalLineEnd", kTwoItemFile.substr(0, kTwoItemFile.size() - 2)},
        HandEdited{
            "OneRowPerLine",
            "2\r\n\"Trend Matrix\",\"A\",\"B\"\r\n\"A\",\"1\",\"-1\"\r\n\"B\",\"2\",\"0\"\r\n"
            "0, 5, 10\r\n0,1,0\r\n\"Policy Matrix\", \"A\", \"B\"\r\n\"A\",\"0\",\"0\"\r\n"
            "\"B\",\"0\",\"1\"\r\n"},
        HandEdited{"UnquotedNumbersAndBlanks",
                   "  2  \r\n\"Trend Matrix\",A, B \r\nA,1.0,-1\r\nB,+2,0\r\n"
                   ".0,5.00,1e1\r\n0,1,0\r\n\"Policy Matrix\",A,B\r\nA,0,0\r\nB,0,.1e1\r\n"},
        HandEdited{"JunkAfterClosingQuotes",
                   replaced(replaced(kTwoItemFile, "\"Trend Matrix\"", "\"Trend Matrix\" old"),
                            "\"Policy Matrix\"", "\"Policy Matrix\"; \"x\"")},
        HandEdited{"ExtraLinesAfterPolicy",
                   kTwoItemFile + "\"notes\"\r\n1,2,3\r\n\r\nfree text\r\n"},
        HandEdited{"Utf8ByteOrderMark", "\xEF\xBB\xBF" + kTwoItemFile}),
    [](const ::testing::TestParamInfo<HandEdited>& info) { return std::string(info.param.name); });

TEST(ScenarioFile, QuotedTextsKeepCommasAndBlanks) {
    std::string file = replaced(kTwoItemFile, "\"A\"", "\" Farms, fields \" junk");
    const ScenarioData data = parsed(file);
    EXPECT_EQ(data.trend[1], " Farms, fields ");
    EXPECT_EQ(data.trend[3], " Farms, fields ");
    EXPECT_EQ(data.policy[1], " Farms, fields ");
}

TEST(ScenarioFile, UnquotedNumbersBecomeTheirNumberText) {
    const std::string file = replaced(replaced(kTwoItemFile, "\"1\"\r\n\"-1\"", ".5\r\n-0.50"),
                                      "\"2\"\r\n\"0\"", "2.50e0\r\n12abc");
    const ScenarioData data = parsed(file);
    EXPECT_EQ(data.trend[4], "0.5");
    EXPECT_EQ(data.trend[5], "-0.5");
    EXPECT_EQ(data.trend[7], "2.5");
    EXPECT_EQ(data.trend[8], "12abc");
}

TEST(ScenarioFile, ReadsWindows1252WhenTheFileIsNotUtf8) {
    // "Café", "Œuvre" and "€ 10" in Windows-1252.
    std::string file = replaced(kTwoItemFile, "\"A\"", "\"Caf\xE9\"");
    file = replaced(file, "\"B\"", "\"\x8Cuvre\"");
    file = replaced(file, "\"Policy Matrix\"", "\"\x80 10\"");
    const ScenarioData data = parsed(file);
    EXPECT_EQ(data.trend[1], "Café");
    EXPECT_EQ(data.trend[2], "Œuvre");
    EXPECT_EQ(data.policy[0], "€ 10");
}

TEST(ScenarioFile, KeepsUtf8TextAsItIs) {
    const std::string file = replaced(kTwoItemFile, "\"A\"", "\"Café 😀\"");
    EXPECT_EQ(parsed(file).trend[1], "Café 😀");
}

// Damaged files are refused with a reason.
struct Damaged {
    const char* name;
    std::string bytes;
    const char* reason;  // part of the message
    friend void PrintTo(const Damaged& damaged, std::ostream* out) { *out << damaged.name; }
};

class ScenarioFileDamaged : public ::testing::TestWithParam<Damaged> {};

TEST_P(ScenarioFileDamaged, IsRefusedWithAReason) {
    const ScenarioReadResult result = parseScenario(GetParam().bytes);
    EXPECT_FALSE(result.data);
    EXPECT_NE(result.error.find(GetParam().reason), std::string::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ScenarioFileDamaged,
    ::testing::Values(
        Damaged{"Empty", "", "empty"},
        Damaged{"CountNotANumber", "eight\r\n", "whole number from 0 to 20, but holds \"eight\""},
        Damaged{"CountWithText", "\"8 items\"\r\n", "but holds \"8 items\""},
        Damaged{"CountNegative", "-1\r\n\"Trend Matrix\"\r\n", "but holds \"-1\""},
        Damaged{"CountFraction", "2.5\r\n", "but holds \"2.5\""},
        Damaged{"CountTooLarge", "21\r\n", "but holds \"21\""},
        Damaged{"CountHuge", "2000000000\r\n", "but holds \"2000000000\""},
        Damaged{"CountHugeQuoted", "\"1e300\"\r\n", "but holds \"1e300\""},
        Damaged{"EmptyFirstLine", "\r\n2\r\n", "but holds \"\""},
        Damaged{"EndsEarly", kTwoItemFile.substr(0, kTwoItemFile.find("\"Policy Matrix\"")),
                "ends after 16 of the 25 values that a scenario of 2 items needs"},
        Damaged{"CountOnly", "1\r\n",
                "ends after 1 of the 13 values that a scenario of 1 item needs"},
        Damaged{"NulBytes", std::string("2\r\n\"Trend\0Matrix\"\r\n", 19), "not a text file"},
        Damaged{"Binary",
                std::string("\x7F"
                            "ELF\x02\x01\x01\0\0\0",
                            10),
                "not a text file"},
        Damaged{"UnclosedQuote", replaced(kTwoItemFile, "\"B\"\r\n\"2\"", "\"B\r\n\"2\""),
                "line 8 holds a text that has no closing double quote"},
        Damaged{"FieldTooLong", "2\r\n" + std::string(kMaxFieldLength + 1, '7') + "\r\n",
                "line 2 holds a value longer than 4096 characters"}),
    [](const ::testing::TestParamInfo<Damaged>& info) { return std::string(info.param.name); });

TEST(ScenarioFile, NamesTheCellATextCannotBeWrittenFrom) {
    ScenarioTables tables = twoItemTables();
    EXPECT_EQ(scenarioWriteProblem(tables, ItemCount::number(2)), "");

    tables.trend.setText(0, 2, "The \"best\" item");
    EXPECT_EQ(scenarioWriteProblem(tables, ItemCount::number(2)),
              "the Trend Matrix cell in row 0, column 2, \"The \"best\" item\", holds a double "
              "quote");
    tables.trend.setText(0, 2, "B");
    tables.policy.setText(2, 1, "two\nlines");
    EXPECT_NE(scenarioWriteProblem(tables, ItemCount::number(2))
                  .find("the Policy Matrix cell in row 2, column 1"),
              std::string::npos);
    tables.policy.setText(2, 1, std::string(kMaxFieldLength + 1, 'x'));
    EXPECT_NE(scenarioWriteProblem(tables, ItemCount::number(2)).find("longer than 4096"),
              std::string::npos);
    tables.policy.setText(2, 1, "0");
    EXPECT_NE(scenarioWriteProblem(tables, ItemCount::number(21)).find("not from 0 to 20"),
              std::string::npos);
}

}  // namespace
}  // namespace vorn
