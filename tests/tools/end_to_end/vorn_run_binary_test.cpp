// Runs the built vorn-run program as a user would: exit statuses, files written, and charts
// drawn on a machine without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tools/scenario_fixture.h"

namespace {

using vorn::testing::readWhole;
using vorn::testing::TempFolder;

struct ProcessRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

class VornRunBinary : public ::testing::Test {
  protected:
    // Runs vorn-run with no display known to it; `redirect` replaces the capture of stdout.
    ProcessRun run(const std::vector<std::string>& args, const std::string& redirect = {}) {
        std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
        command += shellQuoted(VORN_RUN_BINARY);
        for (const std::string& arg : args) {
            command += ' ' + shellQuoted(arg);
        }
        const std::string out = m_folder.path("stdout");
        const std::string err = m_folder.path("stderr");
        command += redirect.empty() ? " >" + shellQuoted(out) : " " + redirect;
        command += " 2>" + shellQuoted(err);
        std::remove(out.c_str());
        const int raw = std::system(command.c_str());
        ProcessRun result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = readWhole(out);
        result.err = readWhole(err);
        return result;
    }

    std::string scenario() {
        return m_folder.write("two items.txt",
                              vorn::testing::scenarioText(vorn::testing::twoItemScenario()));
    }

    TempFolder m_folder;
};

TEST_F(VornRunBinary, ExitStatusesTellSuccessUsageAndFailure) {
    const std::string file = scenario();
    const ProcessRun ok = run({"-r", "3", "-s", "1", file});
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.out.rfind("year,A,B\n2000,1,1\n", 0), 0u);

    const ProcessRun usage = run({"--runs", "many", file});
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("'many' is not a whole number"), std::string::npos);
    EXPECT_NE(usage.err.find("Usage:"), std::string::npos);
    EXPECT_TRUE(usage.out.empty());

    const std::string damaged = m_folder.write("damaged.txt", "2\r\n\"Trend Matrix\"\r\n");
    const ProcessRun bad = run({damaged});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find(damaged), std::string::npos) << bad.err;
    EXPECT_TRUE(bad.out.empty());
}

TEST_F(VornRunBinary, SeededRunsRepeatAcrossProcesses) {
    const std::string file = scenario();
    const std::vector<std::string> args = {"-f", "json", "-r", "200", "-u", "4", "-s", "77", file};
    const ProcessRun first = run(args);
    const ProcessRun second = run(args);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    EXPECT_NE(first.out.find("\"seed\": 77,"), std::string::npos);

    std::vector<std::string> toFile = args;
    toFile.insert(toFile.begin(), {"-o", m_folder.path("out.json")});
    ASSERT_EQ(run(toFile).status, 0);
    EXPECT_EQ(readWhole(m_folder.path("out.json")), first.out);
}

TEST_F(VornRunBinary, FailedWritesAreReported) {
    const std::string file = scenario();
    const ProcessRun closed = run({"-r", "10", file}, ">&-");
    EXPECT_EQ(closed.status, 1);
    EXPECT_NE(closed.err.find("standard output"), std::string::npos) << closed.err;

    const ProcessRun full = run({"-r", "10", file}, ">/dev/full");
    EXPECT_EQ(full.status, 1);

    const ProcessRun device = run({"-o", "/dev/full", "-r", "10", file});
    EXPECT_EQ(device.status, 1);
    EXPECT_NE(device.err.find("cannot write /dev/full"), std::string::npos) << device.err;
}

#if VORN_RUN_DRAWS_CHARTS

TEST_F(VornRunBinary, ChartsAreDrawnWithoutADisplay) {
    const std::string file = scenario();
    const std::string png = m_folder.path("charts.png");
    const std::string svg = m_folder.path("charts.svg");
    const ProcessRun drawn = run({"-r", "20", "--chart", png, file});
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    const std::string pngBytes = readWhole(png);
    EXPECT_EQ(pngBytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_GT(pngBytes.size(), 1000u);
    EXPECT_EQ(drawn.out.rfind("year,A,B", 0), 0u);  // the numbers are printed as well

    ASSERT_EQ(run({"--chart=" + svg, "-o", m_folder.path("levels.csv"), file}).status, 0);
    const std::string svgText = readWhole(svg);
    EXPECT_NE(svgText.find("<svg"), std::string::npos);

    const ProcessRun unwritable = run({"--chart", m_folder.path("no folder/charts.png"), file});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("charts.png"), std::string::npos) << unwritable.err;
}

#else

TEST_F(VornRunBinary, ChartsAreRefusedWhenBuiltWithoutTheWindow) {
    const ProcessRun refused = run({"--chart", m_folder.path("charts.png"), scenario()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("built without the window"), std::string::npos) << refused.err;
    EXPECT_TRUE(refused.out.empty());
}

#endif

}  // namespace
