#include "vorn_window.h"

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>

namespace vorn::probe {
namespace {

// The window's design, in twips at 100 % zoom: 15 twips to the pixel, the client area 1001
// pixels wide, the Trend Matrix and the Totals table at their design places.
constexpr double kTwipsPerPixel = 15.0;
constexpr double kDesignWidthPixels = 1001.0;
constexpr int kTrendLeft = 240, kTrendTop = 6120, kTrendWidth = 9015, kTrendHeight = 2535;
constexpr int kTotalsLeft = 240, kTotalsTop = 9120, kTotalsWidth = 9015, kTotalsHeight = 1215;
constexpr int kPolicyLeft = 240, kPolicyTop = 5760, kPolicyWidth = 9015, kPolicyHeight = 2535;
constexpr std::uint32_t kGridLineColour = 0xc0c0c0;
constexpr auto kPollPeriod = std::chrono::microseconds(2500);

std::string windowTitle(Display* display, Window window) {
    for (const char* property : {"_NET_WM_NAME", "WM_NAME"}) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        const Atom atom = XInternAtom(display, property, True);
        if (atom != None &&
            XGetWindowProperty(display, window, atom, 0, 256, False, AnyPropertyType, &type,
                               &format, &count, &after, &data) == Success &&
            data != nullptr) {
            std::string title(reinterpret_cast<char*>(data), count);
            XFree(data);
            if (!title.empty()) {
                return title;
            }
        }
    }
    return {};
}

Window findTitled(Display* display, Window window, const char* title) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable &&
        windowTitle(display, window) == title) {
        return window;
    }
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) {
        return None;
    }
    Window found = None;
    for (unsigned int i = 0; i < count && found == None; ++i) {
        found = findTitled(display, children[i], title);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

}  // namespace

bool VornWindow::isOpen(Display* display, const char* title) {
    return findTitled(display, DefaultRootWindow(display), title) != None;
}

std::unique_ptr<VornWindow> VornWindow::find(Display* display, const char* title,
                                             Clock::duration timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        const Window window = findTitled(display, DefaultRootWindow(display), title);
        XWindowAttributes attributes;
        if (window != None && XGetWindowAttributes(display, window, &attributes)) {
            int x = 0;
            int y = 0;
            Window child = None;
            XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y,
                                  &child);
            const int screenWidth = DisplayWidth(display, DefaultScreen(display));
            const int screenHeight = DisplayHeight(display, DefaultScreen(display));
            const int width = std::min(attributes.width, screenWidth - std::max(x, 0));
            const int height = std::min(attributes.height, screenHeight - std::max(y, 0));
            std::unique_ptr<VornWindow> found(
                new VornWindow(display, window, std::max(x, 0), std::max(y, 0), width, height));
            found->settle(Milliseconds(1000), Milliseconds(10000));
            found->locateClientArea();
            return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return nullptr;
}

VornWindow::VornWindow(Display* display, Window window, int x, int y, int width, int height)
    : m_display(display),
      m_window(window),
      m_x(x),
      m_y(y),
      m_screen(display, x, y, width, height) {}

void VornWindow::locateClientArea() {
    // The menu bar sits above the client area, whose background shows at its bottom left.
    m_screen.grab();
    const std::uint32_t background = m_screen.pixel(2, m_screen.height() - 3);
    for (int y = 0; y < m_screen.height() / 4; ++y) {
        if (m_screen.pixel(2, y) == background) {
            m_clientTop = y;
            break;
        }
    }
    // The window opens at most at 100 % zoom; a smaller screen makes it smaller.
    m_scale = std::min(1.0, m_screen.width() / kDesignWidthPixels);
}

bool VornWindow::isGridLine(int x, int y) const {
    return m_screen.pixel(x, y) == kGridLineColour;
}

std::vector<int> VornWindow::gridLines(int from, int to, int across, bool alongX) const {
    // A grid line crosses the whole row or column: a pixel of its colour counts only when
    // its neighbours three pixels across the line have it too, which text never does.
    std::vector<int> lines;
    for (int at = from; at <= to; ++at) {
        const bool line = alongX ? isGridLine(at, across) && isGridLine(at, across - 3) &&
                                       isGridLine(at, across + 3)
                                 : isGridLine(across, at) && isGridLine(across - 3, at) &&
                                       isGridLine(across + 3, at);
        if (line && (lines.empty() || at - lines.back() > 2)) {
            lines.push_back(at);
        }
    }
    return lines;
}

std::optional<ScreenPoint> VornWindow::gridCell(int leftTwips, int topTwips, int widthTwips,
                                                int heightTwips, int row, int column) {
    const auto px = [this](int twips) {
        return static_cast<int>(std::lround(twips / kTwipsPerPixel * m_scale));
    };
    return gridCellAt(px(leftTwips), px(topTwips), px(widthTwips), px(heightTwips), row, column);
}

std::optional<ScreenPoint> VornWindow::gridCellAt(int leftPixels, int topPixels, int widthPixels,
                                                  int heightPixels, int row, int column) {
    const int left = leftPixels;
    const int top = m_clientTop + topPixels;
    const int right = left + widthPixels - 2;
    const int bottom = top + heightPixels - 2;
    m_screen.grab();
    // Rows first, along the inside of column 0; then the columns along the middle of the row.
    std::vector<int> rows = gridLines(top + 1, bottom, left + 6, false);
    rows.insert(rows.begin(), top);
    if (row + 1 >= static_cast<int>(rows.size())) {
        return std::nullopt;
    }
    const int y = (rows[row] + rows[row + 1]) / 2;
    const int rowHeight = rows[row + 1] - rows[row];
    std::vector<int> columns = gridLines(left + 1, right, rows[row] + rowHeight / 2, true);
    columns.insert(columns.begin(), left);
    if (column >= static_cast<int>(columns.size())) {
        return std::nullopt;
    }
    // The last column may be cut by the edge of the grid: click just inside its left edge.
    const int x = column + 1 < static_cast<int>(columns.size())
                      ? (columns[column] + columns[column + 1]) / 2
                      : columns[column] + 3;
    return ScreenPoint{m_x + x, m_y + y};
}

std::optional<ScreenPoint> VornWindow::trendCell(int row, int column) {
    return gridCell(kTrendLeft, kTrendTop, kTrendWidth, kTrendHeight, row, column);
}

std::optional<ScreenPoint> VornWindow::totalsCell(int row, int column) {
    return gridCell(kTotalsLeft, kTotalsTop, kTotalsWidth, kTotalsHeight, row, column);
}

std::optional<ScreenPoint> VornWindow::policyCell(int row, int column) {
    return gridCell(kPolicyLeft, kPolicyTop, kPolicyWidth, kPolicyHeight, row, column);
}

void VornWindow::moveTo(ScreenPoint point, Milliseconds quiet) {
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), point.x, point.y, CurrentTime);
    XFlush(m_display);
    settle(quiet, Milliseconds(5000));
}

void VornWindow::pressKey(KeySym key, KeySym modifier) {
    const unsigned held = modifier != NoSymbol ? XKeysymToKeycode(m_display, modifier) : 0;
    const unsigned code = XKeysymToKeycode(m_display, key);
    if (held != 0) {
        XTestFakeKeyEvent(m_display, held, True, CurrentTime);
    }
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    if (held != 0) {
        XTestFakeKeyEvent(m_display, held, False, CurrentTime);
    }
    XFlush(m_display);
}

void VornWindow::controlKey(KeySym key, Milliseconds quiet) {
    pressKey(key, XK_Control_L);
    settle(quiet, Milliseconds(5000));
}

void VornWindow::menuEntry(KeySym menu, KeySym entry, Milliseconds quiet) {
    pressKey(menu, XK_Alt_L);
    settle(quiet, Milliseconds(5000));
    pressKey(entry, NoSymbol);
    settle(quiet, Milliseconds(5000));
}

void VornWindow::key(KeySym key, Milliseconds quiet) {
    const unsigned code = XKeysymToKeycode(m_display, key);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XFlush(m_display);
    settle(quiet, Milliseconds(5000));
}

void VornWindow::settle(Milliseconds quiet, Milliseconds timeout) {
    const auto start = Clock::now();
    auto lastChange = start;
    m_screen.grab();
    while (Clock::now() - lastChange < quiet && Clock::now() - start < timeout) {
        std::this_thread::sleep_for(kPollPeriod);
        if (m_screen.grab()) {
            lastChange = Clock::now();
        }
    }
}

std::optional<Milliseconds> VornWindow::click(int button, Milliseconds quiet,
                                              Milliseconds timeout) {
    m_screen.grab();
    const auto pressed = Clock::now();
    XTestFakeButtonEvent(m_display, static_cast<unsigned>(button), True, CurrentTime);
    XTestFakeButtonEvent(m_display, static_cast<unsigned>(button), False, CurrentTime);
    XFlush(m_display);
    std::optional<Clock::time_point> lastChange;
    m_changes.clear();
    auto next = pressed;
    for (;;) {
        next += kPollPeriod;
        std::this_thread::sleep_until(next);
        // Stamped before the read: the change was on screen when the server read it.
        const auto readAt = Clock::now();
        if (m_screen.grab()) {
            lastChange = readAt;
            m_changes.push_back(Milliseconds(readAt - pressed).count());
        }
        if (readAt - lastChange.value_or(pressed) >= quiet || readAt - pressed >= timeout) {
            break;
        }
        next = std::max(next, readAt);
    }
    if (!lastChange) {
        return std::nullopt;
    }
    return Milliseconds(*lastChange - pressed);
}

}  // namespace vorn::probe
