// Runs the built vorn-run program as a user would: exit statuses, failed writes, and charts
// drawn on a machine without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/scenario_fixture.h"

namespace {

using vorn::testing::readWhole;

class VornRunBinary : public ::testing::Test {
  protected:
    // Runs vorn-run with no display known to it: the exit status and what it printed (stderr
    // only, when `redirect` sends stdout elsewhere).
    // `limits` are shell commands run first, such as a limit on the size of files written.
    std::pair<int, std::string> run(const std::vector<std::string>& args,
                                    const std::string& redirect = "",
                                    const std::string& limits = "") {
        std::string command =
            limits + "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" VORN_RUN_BINARY "'";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";  // the arguments hold no '
        }
        const std::string out = m_folder.path("printed");
        command += redirect.empty() ? " >'" + out + "' 2>&1" : " " + redirect + " 2>'" + out + "'";
        std::remove(out.c_str());
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readWhole(out)};
    }
    std::string scenario() { return m_folder.write("two items.txt", vorn::testing::twoItemText()); }

    vorn::testing::TempFolder m_folder;
};

TEST_F(VornRunBinary, ExitStatusesTellSuccessUsageAndFailure) {
    const auto [ok, printed] = run({"-r", "3", "-s", "1", scenario()});
    EXPECT_EQ(ok, 0) << printed;
    EXPECT_EQ(printed.rfind("year,A,B\n2000,1,1\n", 0), 0u);
    const auto [usage, refusal] = run({"--runs", "many", scenario()});
    EXPECT_EQ(usage, 2);
    EXPECT_NE(refusal.find("Usage:"), std::string::npos) << refusal;
    const std::string damaged = m_folder.write("damaged.txt", "2\r\n\"Trend Matrix\"\r\n");
    const auto [bad, message] = run({damaged});
    EXPECT_EQ(bad, 1);
    EXPECT_NE(message.find(damaged), std::string::npos) << message;
    const auto [closed, complaint] = run({"-r", "10", scenario()}, ">&-");
    EXPECT_EQ(closed, 1);
    EXPECT_NE(complaint.find("standard output"), std::string::npos) << complaint;
    EXPECT_EQ(run({"-r", "10", scenario()}, ">/dev/full").first, 1);
}

// A disk that fills up while the numbers or the charts are written (a limit of 4 KiB on the
// size of files written stands for it, and binds root too): exit 1 with the reason, and the
// earlier file byte for byte as it was.
TEST_F(VornRunBinary, AFullDiskLeavesTheEarlierFileWhole) {
    std::vector<std::string> targets = {"numbers.json"};
#if VORN_RUN_DRAWS_CHARTS
    targets.insert(targets.end(), {"charts.png", "charts.svg", "charts.pdf"});
#endif
    const std::string file = scenario();
    for (const std::string& name : targets) {
        SCOPED_TRACE(name);
        const std::string target = m_folder.write(name, "earlier");
        const bool chart = name.rfind("charts", 0) == 0;
        const std::vector<std::string> args =
            chart ? std::vector<std::string>{"--table", "netgrowth", "--chart", target, file}
                  : std::vector<std::string>{"-f", "json", "-r", "200", "-o", target, file};
        const auto [status, printed] = run(args, "", "trap '' XFSZ; ulimit -f 8; ");
        EXPECT_EQ(status, 1) << printed;
        EXPECT_NE(printed.find("cannot write " + target + ": writing failed (File too large)"),
                  std::string::npos)
            << printed;
        EXPECT_EQ(readWhole(target), "earlier");
        ASSERT_EQ(run(args).first, 0);  // without the limit it is written
        EXPECT_GT(readWhole(target).size(), 4096u);
    }
    using Files = std::filesystem::directory_iterator;
    EXPECT_EQ(std::distance(Files(m_folder.path("")), Files{}), targets.size() + 2);
}

#if VORN_RUN_DRAWS_CHARTS
TEST_F(VornRunBinary, ChartsAreDrawnWithoutADisplay) {
    const std::string png = m_folder.path("charts.png");
    const auto [drawn, printed] = run({"-r", "20", "--chart", png, scenario()});
    ASSERT_EQ(drawn, 0) << printed;
    EXPECT_EQ(printed.rfind("year,A,B", 0), 0u);  // the numbers are printed as well
    EXPECT_EQ(readWhole(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_GT(readWhole(png).size(), 1000u);
    const std::string svg = m_folder.path("charts.svg");
    ASSERT_EQ(run({"-r3", "--chart=" + svg, "-o", m_folder.path("levels.csv"), scenario()}).first,
              0);
    EXPECT_NE(readWhole(svg).find("<svg"), std::string::npos);
    EXPECT_NE(readWhole(svg).find(">Run 3<"), std::string::npos);  // the Spread chart's runs
}
#endif

}  // namespace
