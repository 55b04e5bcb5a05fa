#include "scenario_files/scenario_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/trends.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// Two items A and B: Trend rows 1 -1 / 2 0, Uncertainty 5 10, Lags 1 0, Policy 1 at (B, B);
// 25 lines, one field each ("|" stands for CR LF).
const std::string kWorkedExample =
    replaced(R"(2|"Trend Matrix"|"A"|"B"|"A"|"1"|"-1"|"B"|"2"|"0"|0|5|10|0|1|0|)"
             R"("Policy Matrix"|"A"|"B"|"A"|"0"|"0"|"B"|"0"|"1"|)",
             "|", "\r\n");

ScenarioTables workedTables() {
    ScenarioTables tables{CellTable(3, 3), CellTable(kTotalsRows, 3), CellTable(3, 3)};
    const char* trend[] = {"Trend Matrix", "A", "B", "A", "1", "-1", "B", "2", "0"};
    const char* policy[] = {"Policy Matrix", "A", "B", "A", "0", "0", "B", "0", "1"};
    for (int k = 0; k < 9; ++k) {
        tables.trend.setText(k / 3, k % 3, trend[k]);
        tables.policy.setText(k / 3, k % 3, policy[k]);
    }
    const char* totals[] = {kUncertaintyLabel, "5", "10", kLagsLabel, "1", "0"};
    for (int k = 0; k < 6; ++k) {
        tables.totals.setText(k < 3 ? kUncertaintyRow : kLagsRow, k % 3, totals[k]);
    }
    return tables;
}

std::vector<std::string> texts(const CellTable& table) {
    std::vector<std::string> out;
    for (int row = 0; row < table.rows(); ++row) {
        for (int column = 0; column < table.columns(); ++column) {
            out.push_back(table.text(row, column));
        }
    }
    return out;
}

ScenarioTables applied(const std::string& bytes) {
    ScenarioReadResult result = parseScenario(bytes);
    EXPECT_TRUE(result.data) << result.error;
    ScenarioTables tables{CellTable(9, 9), CellTable(kTotalsRows, 9), CellTable(9, 9)};
    applyScenario(tables, result.data.value_or(ScenarioData{}));
    return tables;
}

TEST(ScenarioFile, WritesAndReadsTheWorkedExampleByteForByte) {
    ScenarioTables worked = workedTables();
    worked.totals.setText(kUncertaintyRow, 2, "10 %");  // numbers are written as numbers
    EXPECT_EQ(formatScenario(worked, ItemCount::number(2)), kWorkedExample);
    EXPECT_EQ(formatScenario(worked, ItemCount::fromText("2", 2)),
              "\"2\"" + kWorkedExample.substr(1));

    const ScenarioTables tables = applied(kWorkedExample);
    EXPECT_EQ(texts(tables.trend), texts(worked.trend));
    EXPECT_EQ(texts(tables.policy), texts(worked.policy));
    EXPECT_EQ(formatScenario(tables, ItemCount::number(2)), kWorkedExample);
    EXPECT_EQ(tables.totals.text(0, 0), "Totals/Uncertainty");
}

// No items give five lines; twenty come back whole with long accented names, the longest
// of which holds as many characters (not bytes) as a field may.
TEST(ScenarioFile, NoneAndTwentyItemsComeBackWhole) {
    for (const int n : {0, kMaxItems}) {
        ScenarioTables tables{CellTable(n + 1, n + 1), CellTable(kTotalsRows, n + 1),
                              CellTable(n + 1, n + 1)};
        for (int i = 0; i <= n; ++i) {
            const std::string name = i == 0   ? ""
                                     : i == n ? replaced(std::string(kMaxTextLength, '~'), "~", "é")
                                              : "Änderung der Erträge, Posten " + std::to_string(i);
            for (CellTable* table : {&tables.trend, &tables.policy}) {
                table->setText(0, i, name);
                table->setText(i, 0, name);
                for (int j = 1; j <= n; ++j) {
                    table->setText(i, j, numberText((i - j) * 0.25));
                }
            }
            tables.totals.setText(kUncertaintyRow, i, numberText(i * 0.5));
            tables.totals.setText(kLagsRow, i, std::to_string(i % 4));
        }
        tables.trend.setText(0, 0, kTrendTitle);
        tables.policy.setText(0, 0, kPolicyTitle);
        ASSERT_EQ(scenarioWriteProblem(tables, ItemCount::number(n)), "");

        const std::string file = formatScenario(tables, ItemCount::number(n));
        if (n == 0) {
            EXPECT_EQ(file, "0\r\n\"Trend Matrix\"\r\n0\r\n0\r\n\"Policy Matrix\"\r\n");
        }
        const ScenarioTables loaded = applied(file);
        EXPECT_EQ(texts(loaded.trend), texts(tables.trend));
        EXPECT_EQ(texts(loaded.policy), texts(tables.policy));
        EXPECT_EQ(formatScenario(loaded, ItemCount::number(n)), file);
    }
}

TEST(ScenarioFile, HandEditedFilesLoadLikeTheWrittenForm) {
    const std::pair<const char*, std::string> variants[] = {
        {"quoted count", "\"2\"" + kWorkedExample.substr(1)},
        {"line feeds", replaced(kWorkedExample, "\r\n", "\n")},
        {"carriage returns", replaced(kWorkedExample, "\r\n", "\r")},
        {"no final line end", kWorkedExample.substr(0, kWorkedExample.size() - 2)},
        {"rows on lines, bare numbers and blanks",
         "  2  \r\n\"Trend Matrix\",A, B \r\nA,1.0,-1\r\nB,+2,0\r\n"
         ".0,5.00,1e1\r\n0,.1e1,0\r\n\"Policy Matrix\", \"A\" ,B\r\nA,0,0\r\nB,-.0,1\r\n"},
        {"own corner texts, junk after quotes",
         replaced(replaced(kWorkedExample, "\"Trend Matrix\"", "\"Mine\" old"), "\"Policy Matrix\"",
                  "\"Yours\"")},
        {"extra lines after the Policy Matrix",
         kWorkedExample + "\"notes\"\r\n1,2,3\r\n\r\nfree\r\n"},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF" + kWorkedExample}};
    for (const auto& [name, bytes] : variants) {
        SCOPED_TRACE(name);
        EXPECT_EQ(formatScenario(applied(bytes), ItemCount::number(2)), kWorkedExample);
    }
}

// The count is the numeric value of its field; the window keeps the field's first 20
// characters as the count's text, which a later save writes back in quotes (so a text with
// a double quote is kept as the number).
TEST(ScenarioFile, CountLineIsReadByItsNumericValue) {
    const std::pair<std::string, std::string> counts[] = {
        {"2 items", "2 items"},
        {"\"2 items of the worked example\"", "2 items of the worke"},
        {" 2.0 ", "2"},
        {"2 \"items\"", "2"},
        {"+2e0 Früchte", "+2e0 Früchte"},
        // Only the kept 20 characters count: the whole line would read as 25.
        {"2                   5", "2                   "}};
    for (const auto& [line, text] : counts) {
        const ScenarioReadResult result = parseScenario(line + kWorkedExample.substr(1));
        ASSERT_TRUE(result.data) << line << ": " << result.error;
        EXPECT_EQ(result.data->items, 2);
        EXPECT_EQ(result.data->countText, text);
    }
}

// Bare numbers stand for their number text; quoted texts keep commas and blanks; a file
// that is not UTF-8 is read as Windows-1252 ("Café", "Œuvre" and "€ 10" here).
TEST(ScenarioFile, ReadsFieldTexts) {
    std::string file = replaced(kWorkedExample, "\"1\"\r\n\"-1\"", ".5\r\n-0.50");
    file = replaced(file, "\"2\"\r\n\"0\"", "12abc\r\n\" Farms, fields \"");
    file = replaced(replaced(file, "\"A\"", "\"Caf\xE9\""), "\"B\"", "\"\x8Cuvre\"");
    ScenarioTables tables = applied(replaced(file, "\"0\"\r\n\"1\"", "\"\x80 10\"\r\n1"));
    EXPECT_EQ(texts(tables.trend),
              (std::vector<std::string>{"Trend Matrix", "Café", "Œuvre", "Café", "0.5", "-0.5",
                                        "Œuvre", "12abc", " Farms, fields "}));
    EXPECT_EQ(tables.policy.text(2, 1), "€ 10");
    tables = applied(replaced(kWorkedExample, "\"A\"", "\"Café 😀\""));
    EXPECT_EQ(tables.trend.text(1, 0), "Café 😀");
}

}  // namespace
}  // namespace vorn
