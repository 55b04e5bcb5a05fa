#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

namespace vorn::probe {

/// A rectangle of the screen, read through the X shared-memory extension so that one read
/// of a whole window takes about a millisecond. What is read is what the screen shows there,
/// tooltips and menus included.
class ScreenGrabber {
  public:
    ScreenGrabber(Display* display, int x, int y, int width, int height);
    ~ScreenGrabber();
    ScreenGrabber(const ScreenGrabber&) = delete;
    ScreenGrabber& operator=(const ScreenGrabber&) = delete;

    /// Reads the rectangle; true when it differs from the previous read.
    bool grab();

    int width() const { return m_width; }
    int height() const { return m_height; }
    /// Colour 0xRRGGBB of pixel (x, y) of the last read, relative to the rectangle.
    std::uint32_t pixel(int x, int y) const;

  private:
    Display* m_display;
    int m_x;
    int m_y;
    int m_width;
    int m_height;
    XImage* m_image = nullptr;
    XShmSegmentInfo m_segment{};
    std::vector<char> m_previous;
};

}  // namespace vorn::probe
