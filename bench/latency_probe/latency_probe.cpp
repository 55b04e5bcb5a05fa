// Measures how long the real window takes to show the result of a click: starts `vorn` on
// the X display, clicks its cells through XTest as a user would, reads the screen back
// every 2.5 ms and reports the time from the press to the last change on screen. Run by
// hand (./vorn.sh probe), never by the tests: the figures depend on the machine.

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/presentation_layout.h"
#include "vorn_window.h"

namespace {

using vorn::probe::Milliseconds;
using vorn::probe::ScreenPoint;
using vorn::probe::VornWindow;

constexpr const char* kTitle = "Halvorine (VORN) Model";
constexpr int kLeft = 1;
constexpr int kRight = 3;
constexpr int kItemsAtStart = 8;
constexpr int kMostItems = 20;

struct Options {
    std::string program = VORN_PROBE_DEFAULT_PROGRAM;
    int clicks = 40;
    Milliseconds quiet{300};
    bool changes = false;
};

void usage() {
    std::printf(
        "usage: vorn-latency-probe [--program PATH] [--clicks N] [--quiet MS]\n"
        "  Starts PATH (default: the vorn built beside this probe) on $DISPLAY, clicks it\n"
        "  through XTest and reports the time from each click to the last change on screen.\n"
        "  --clicks N   measured clicks per case, at least 30 (default 40)\n"
        "  --quiet MS   the screen counts as settled after MS ms without change (default 300)\n"
        "  --changes    also list, for every click, the times at which the screen changed\n");
}

std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--program" && hasValue) {
            options.program = argv[++i];
        } else if (option == "--clicks" && hasValue) {
            options.clicks = std::max(30, std::atoi(argv[++i]));
        } else if (option == "--changes") {
            options.changes = true;
        } else if (option == "--quiet" && hasValue) {
            options.quiet = Milliseconds(std::max(50, std::atoi(argv[++i])));
        } else {
            return std::nullopt;
        }
    }
    return options;
}

/// The p-th percentile by linear interpolation between the closest ranks.
double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const double rank = (static_cast<double>(values.size()) - 1) * p / 100;
    const auto below = static_cast<std::size_t>(rank);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (rank - static_cast<double>(below));
}

struct CaseResult {
    std::string name;
    std::vector<double> times;
    int unchanged = 0;
    double cpuPerClick = 0;  // ms of the program's processor time per click
};

/// Processor time the process `pid` has used so far, in ms.
double processorTime(pid_t pid) {
    std::FILE* file = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
    if (file == nullptr) {
        return 0;
    }
    char buffer[1024] = {};
    const std::size_t length = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    // Fields 14 and 15 (user and system time in clock ticks) follow the ")" of the name.
    const char* fields = std::strrchr(buffer, ')');
    unsigned long user = 0;
    unsigned long system = 0;
    if (length == 0 || fields == nullptr ||
        std::sscanf(fields + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user,
                    &system) != 2) {
        return 0;
    }
    return 1000.0 * static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void printResult(const CaseResult& result) {
    if (result.times.empty()) {
        std::printf("%-44s  no click changed the screen\n", result.name.c_str());
        return;
    }
    std::printf("%-44s %6zu %9.1f %9.1f %9.1f %9.1f", result.name.c_str(), result.times.size(),
                percentile(result.times, 50), percentile(result.times, 95),
                *std::max_element(result.times.begin(), result.times.end()), result.cpuPerClick);
    if (result.unchanged > 0) {
        std::printf("   (%d clicks changed nothing)", result.unchanged);
    }
    std::printf("\n");
    std::fflush(stdout);
}

ScreenPoint require(std::optional<ScreenPoint> point, const char* what) {
    if (!point) {
        throw std::runtime_error(std::string("cannot find ") + what + " on screen");
    }
    return *point;
}

/// Clicks the cell once to select it, then measures `clicks` further clicks on it, left
/// and right by turns so that the value goes up and down again.
CaseResult measureCell(VornWindow& window, pid_t program, const std::string& name, ScreenPoint cell,
                       const Options& options, bool alternate) {
    CaseResult result{name, {}, 0, 0};
    window.moveTo(cell, options.quiet);
    window.click(kLeft, options.quiet, Milliseconds(3000));
    const double processorBefore = processorTime(program);
    for (int i = 0; i < options.clicks; ++i) {
        const int button = alternate && i % 2 == 1 ? kRight : kLeft;
        const auto time = window.click(button, options.quiet, Milliseconds(3000));
        if (time) {
            result.times.push_back(time->count());
        } else {
            ++result.unchanged;
        }
        if (options.changes) {
            std::printf("  changes at");
            for (double at : window.lastChanges()) {
                std::printf(" %.1f", at);
            }
            std::printf(" ms\n");
        }
    }
    result.cpuPerClick = (processorTime(program) - processorBefore) / options.clicks;
    return result;
}

/// A quick click that only has to take effect before the next one.
void setUpClick(VornWindow& window, ScreenPoint point, int button) {
    window.moveTo(point, Milliseconds(30));
    window.click(button, Milliseconds(120), Milliseconds(3000));
}

/// From the blank eight items to twenty, by the top-left cell of the Trend Matrix; then every
/// item gets a contribution from one of the first rows and an uncertainty, so that the lines
/// part and the twenty runs spread.
void setUpTwentyItems(VornWindow& window) {
    for (int items = kItemsAtStart; items < kMostItems; ++items) {
        setUpClick(window, require(window.trendCell(0, 0), "the Trend Matrix"), kLeft);
    }
    for (int column = 1; column <= kMostItems; ++column) {
        const ScreenPoint cell = require(window.trendCell(1 + 3 * column % 8, column),
                                         "a Trend Matrix cell at 20 items");
        setUpClick(window, cell, kLeft);
        setUpClick(window, cell, column % 3 == 0 ? kRight : kLeft);
    }
    for (int column = 1; column <= kMostItems; ++column) {
        const ScreenPoint cell =
            require(window.totalsCell(2, column), "an Uncertainty cell at 20 items");
        for (int click = 0; click < 3; ++click) {
            setUpClick(window, cell, kLeft);
        }
    }
}

/// View > Presentation Layout (F11) at 20 items, the Scenario Trends chart large: a second
/// click on a Trend Matrix value cell, and a click on the small chart at the top right, which
/// brings it into the large place and the large one back beside it, by turns. Where the layout
/// puts the Trend Matrix and the small chart the window's own layout function says, for the
/// screen and the window's menu bar.
int measurePresentation(Display* display, pid_t program, const Options& options) {
    auto shown = VornWindow::find(display, kTitle, std::chrono::seconds(5));
    shown->key(XK_F11, Milliseconds(1000));
    // Full screen: found again, at its new place and size.
    auto window = VornWindow::find(display, kTitle, std::chrono::seconds(10));
    if (!window) {
        std::fprintf(stderr, "vorn-latency-probe: the window went away\n");
        return 1;
    }
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    vorn::PresentationInput input;
    input.matrixRows = kMostItems + 1;
    input.totalsRows = 4;
    // The platform's scroll bars are 14 pixels across (Qt's Fusion style).
    const vorn::PresentationPlaces places =
        vorn::presentationLayout({window->width(), window->height() - window->clientTop()},
                                 vorn::presentationMetrics({screenWidth, screenHeight}, 14), input);
    // The Policy Matrix is in front, with the reference and the trends without the policies.
    const vorn::PixelRect& policy = places.place(vorn::Control::MSFlexPolicy);
    printResult(measureCell(
        *window, program, "Policy Matrix cell, presentation, compared",
        require(window->gridCellAt(policy.left, policy.top, policy.width, policy.height, 2, 3),
                "Policy Matrix cell (2, 3) in the presentation layout"),
        options, true));
    const vorn::PixelRect& small = places.place(vorn::Control::MscXImpacts);
    printResult(measureCell(
        *window, program, "Small chart into the large place, presentation",
        window->clientPoint(small.left + small.width / 2, small.top + small.height * 2 / 3),
        options, false));
    return 0;
}

int runProbe(Display* display, pid_t program, const Options& options) {
    auto window = VornWindow::find(display, kTitle, std::chrono::seconds(30));
    if (!window) {
        std::fprintf(stderr, "vorn-latency-probe: the window did not appear\n");
        return 1;
    }
    std::printf("%-44s %6s %9s %9s %9s %9s\n", "Case (ms from press to last change)", "clicks",
                "median", "p95", "max", "cpu/click");
    printResult(measureCell(*window, program, "Trend Matrix value cell, 8 items",
                            require(window->trendCell(1, 1), "Trend Matrix cell (1, 1)"), options,
                            true));
    setUpTwentyItems(*window);
    printResult(measureCell(*window, program, "Trend Matrix value cell, 20 items",
                            require(window->trendCell(1, 1), "Trend Matrix cell (1, 1)"), options,
                            true));
    printResult(measureCell(*window, program, "Totals item name (20 runs), 20 items",
                            require(window->totalsCell(0, 1), "Totals cell (0, 1)"), options,
                            false));
    // View > Uncertainty Bands (Ctrl+B): 1,000 more runs and their bands at every click.
    window->controlKey(XK_b, options.quiet);
    printResult(measureCell(*window, program, "Totals item name, 20 items, bands on",
                            require(window->totalsCell(0, 1), "Totals cell (0, 1)"), options,
                            false));
    // The bands off again; the Policy Matrix forward (the policies apply), a reference set
    // (View > Set Reference) and the trends without the policies shown: every click draws a
    // second projection and forty comparison lines behind the Scenario Trends chart's.
    window->controlKey(XK_b, options.quiet);
    setUpClick(*window, require(window->policyCell(0, 1), "the Policy Matrix"), kLeft);
    window->menuEntry(XK_v, XK_r, options.quiet);
    window->menuEntry(XK_v, XK_w, options.quiet);
    printResult(measureCell(*window, program, "Policy Matrix cell, 20 items, compared",
                            require(window->policyCell(2, 3), "Policy Matrix cell (2, 3)"), options,
                            true));
    printResult(measureCell(*window, program, "Totals item name, 20 items, compared",
                            require(window->totalsCell(0, 1), "Totals cell (0, 1)"), options,
                            false));
    return measurePresentation(display, program, options);
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        usage();
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "vorn-latency-probe: cannot open the display \"%s\"\n",
                     std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "");
        return 1;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor) ||
        !XShmQueryExtension(display)) {
        std::fprintf(stderr, "vorn-latency-probe: the display lacks XTest or MIT-SHM\n");
        return 1;
    }
    // Another window of the same title would be found instead of the one started here.
    if (VornWindow::isOpen(display, kTitle)) {
        std::fprintf(stderr,
                     "vorn-latency-probe: a window \"%s\" is already open on this display\n",
                     kTitle);
        return 1;
    }
    const pid_t child = fork();
    if (child == 0) {
        execl(options->program.c_str(), options->program.c_str(), static_cast<char*>(nullptr));
        std::fprintf(stderr, "vorn-latency-probe: cannot start %s: %s\n", options->program.c_str(),
                     std::strerror(errno));
        _exit(127);
    }
    int status = 1;
    try {
        status = runProbe(display, child, *options);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "vorn-latency-probe: %s\n", failure.what());
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return status;
}
