// Runs the built vorn-run program as a user would: exit statuses, failed writes, and charts
// drawn on a machine without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tools/scenario_fixture.h"

namespace {

using vorn::testing::readWhole;

struct ProcessRun {
    int status = -1;
    std::string out;
    std::string err;
};

class VornRunBinary : public ::testing::Test {
  protected:
    // Runs vorn-run with no display known to it; `redirect` replaces the capture of stdout.
    ProcessRun run(const std::vector<std::string>& args, const std::string& redirect = {}) {
        const auto quoted = [](const std::string& text) {
            std::string out = "'";
            for (const char c : text) {
                out += c == '\'' ? std::string("'\\''") : std::string(1, c);
            }
            return out + "'";
        };
        std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
        command += quoted(VORN_RUN_BINARY);
        for (const std::string& arg : args) {
            command += ' ' + quoted(arg);
        }
        const std::string out = m_folder.path("stdout");
        command += (redirect.empty() ? " >" + quoted(out) : " " + redirect) + " 2>" +
                   quoted(m_folder.path("stderr"));
        std::remove(out.c_str());
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readWhole(out),
                readWhole(m_folder.path("stderr"))};
    }
    std::string scenario() { return m_folder.write("two items.txt", vorn::testing::twoItemText()); }

    vorn::testing::TempFolder m_folder;
};

TEST_F(VornRunBinary, ExitStatusesTellSuccessUsageAndFailure) {
    const ProcessRun ok = run({"-r", "3", "-s", "1", scenario()});
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.out.rfind("year,A,B\n2000,1,1\n", 0), 0u);

    const ProcessRun usage = run({"--runs", "many", scenario()});
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("'many' is not a whole number"), std::string::npos);
    EXPECT_NE(usage.err.find("Usage:"), std::string::npos);

    const std::string damaged = m_folder.write("damaged.txt", "2\r\n\"Trend Matrix\"\r\n");
    const ProcessRun bad = run({damaged});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find(damaged), std::string::npos) << bad.err;
    EXPECT_TRUE(bad.out.empty());
}

TEST_F(VornRunBinary, FailedWritesExitOne) {
    const ProcessRun closed = run({"-r", "10", scenario()}, ">&-");
    EXPECT_EQ(closed.status, 1);
    EXPECT_NE(closed.err.find("standard output"), std::string::npos) << closed.err;
    EXPECT_EQ(run({"-r", "10", scenario()}, ">/dev/full").status, 1);
    const ProcessRun device = run({"-o", "/dev/full", "-r", "10", scenario()});
    EXPECT_EQ(device.status, 1);
    EXPECT_NE(device.err.find("cannot write /dev/full"), std::string::npos) << device.err;
}

#if VORN_RUN_DRAWS_CHARTS
TEST_F(VornRunBinary, ChartsAreDrawnWithoutADisplay) {
    const std::string png = m_folder.path("charts.png");
    const ProcessRun drawn = run({"-r", "20", "--chart", png, scenario()});
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_EQ(readWhole(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_GT(readWhole(png).size(), 1000u);
    EXPECT_EQ(drawn.out.rfind("year,A,B", 0), 0u);  // the numbers are printed as well

    const std::string svg = m_folder.path("charts.svg");
    ASSERT_EQ(run({"--chart=" + svg, "-o", m_folder.path("levels.csv"), scenario()}).status, 0);
    EXPECT_NE(readWhole(svg).find("<svg"), std::string::npos);

    const ProcessRun unwritable = run({"--chart", m_folder.path("no folder/charts.png"), scenario()});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("charts.png"), std::string::npos) << unwritable.err;
}
#else
TEST_F(VornRunBinary, ChartsAreRefusedWhenBuiltWithoutTheWindow) {
    const ProcessRun refused = run({"--chart", m_folder.path("charts.png"), scenario()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("built without the window"), std::string::npos) << refused.err;
}
#endif

}  // namespace
