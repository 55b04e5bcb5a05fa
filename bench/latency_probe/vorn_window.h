#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "screen_grabber.h"

namespace vorn::probe {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

/// A point in screen coordinates.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

/// The running window of another process, driven from outside as a user would: real
/// pointer moves and clicks through XTest, and the screen read back to see when it settles.
/// Cells are found on screen by their grid lines, so the probe needs no knowledge of the
/// program beyond where its tables sit in the window's design.
class VornWindow {
  public:
    /// Waits up to `timeout` for a viewable window titled `title` and for its first paint.
    static std::unique_ptr<VornWindow> find(Display* display, const char* title,
                                            Clock::duration timeout);
    /// Whether a viewable window titled `title` is open now.
    static bool isOpen(Display* display, const char* title);

    /// Centre of cell (row, column) of the Trend Matrix or the Totals table as shown now;
    /// nothing when the cell is not on screen.
    std::optional<ScreenPoint> trendCell(int row, int column);
    std::optional<ScreenPoint> totalsCell(int row, int column);
    /// The same for the Policy Matrix; while it lies behind the Trend Matrix only its top
    /// row shows.
    std::optional<ScreenPoint> policyCell(int row, int column);
    /// The same for a grid at `left`, `top`, `width`, `height` in pixels of the client area
    /// below the menu bar, wherever a layout other than the design puts it.
    std::optional<ScreenPoint> gridCellAt(int left, int top, int width, int height, int row,
                                          int column);
    /// A point of the client area in screen coordinates.
    ScreenPoint clientPoint(int x, int y) const { return {m_x + x, m_y + m_clientTop + y}; }
    /// The window's size, and the height of the menu bar above its client area.
    int width() const { return m_screen.width(); }
    int height() const { return m_screen.height(); }
    int clientTop() const { return m_clientTop; }

    /// Moves the pointer to `point` and waits until the window has been still for `quiet`.
    void moveTo(ScreenPoint point, Milliseconds quiet);
    /// Clicks (1 left, 3 right) where the pointer is and waits until the window has been
    /// still for `quiet`. Returns the time from the press to the last change on screen, or
    /// nothing when the screen did not change within `timeout`.
    std::optional<Milliseconds> click(int button, Milliseconds quiet, Milliseconds timeout);
    /// The times after the press at which the screen changed during the last click, in ms.
    const std::vector<double>& lastChanges() const { return m_changes; }
    /// Presses `key` with Control held, as a menu shortcut is typed, and waits until the
    /// window has been still for `quiet`.
    void controlKey(KeySym key, Milliseconds quiet);
    /// Chooses a menu entry by its keys, as Alt+V, R chooses View > Set Reference, and waits
    /// until the window has been still for `quiet`.
    void menuEntry(KeySym menu, KeySym entry, Milliseconds quiet);
    /// Presses `key` alone and waits until the window has been still for `quiet`.
    void key(KeySym key, Milliseconds quiet);
    /// Waits until the window has been still for `quiet`, at most `timeout`.
    void settle(Milliseconds quiet, Milliseconds timeout);

  private:
    /// Presses and releases `key` while `modifier` (when not NoSymbol) is held.
    void pressKey(KeySym key, KeySym modifier);
    VornWindow(Display* display, Window window, int x, int y, int width, int height);
    void locateClientArea();
    /// Cell centres of a grid whose design place starts at (`leftTwips`, `topTwips`).
    std::optional<ScreenPoint> gridCell(int leftTwips, int topTwips, int widthTwips,
                                        int heightTwips, int row, int column);
    std::vector<int> gridLines(int from, int to, int across, bool alongX) const;
    bool isGridLine(int x, int y) const;

    Display* m_display;
    Window m_window;
    int m_x;
    int m_y;
    ScreenGrabber m_screen;
    int m_clientTop = 0;
    double m_scale = 1.0;
    std::vector<double> m_changes;
};

}  // namespace vorn::probe
