#pragma once

namespace vorn {

/// A size in logical pixels.
struct PixelSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

/// The factor by which the window shows its whole design: positions, sizes, fonts, column
/// widths and row heights. A view setting only: it changes no table, value or text.
class Zoom {
  public:
    static constexpr int kMinimumPercent = 50;
    static constexpr int kMaximumPercent = 200;
    static constexpr int kActualPercent = 100;

    /// `percent` clamped to kMinimumPercent..kMaximumPercent.
    explicit Zoom(int percent = kActualPercent);

    int percent() const { return m_percent; }
    double factor() const { return m_percent / 100.0; }

    /// The next larger and smaller of the usual steps (50, 67, 75, 80, 90, 100, 110, 125, 150,
    /// 175, 200 %); a zoom between two steps goes to the neighbouring step.
    Zoom zoomedIn() const;
    Zoom zoomedOut() const;
    bool canZoomIn() const { return m_percent < kMaximumPercent; }
    bool canZoomOut() const { return m_percent > kMinimumPercent; }

    /// Logical pixels of a design length in twips: 15 twips to the pixel at 100 %, rounded
    /// to the nearest pixel.
    int pixels(int twips) const;
    /// A design font size at this zoom.
    double points(double designPoints) const { return designPoints * factor(); }

    /// The client area that shows every control whole, at this zoom.
    PixelSize clientSize() const;

    /// The largest zoom, at most `ceilingPercent` and at least kMinimumPercent, at which the
    /// client area plus `chrome` (window frame, menu bar) fits into `available`. When even
    /// the smallest zoom does not fit, the smallest.
    static Zoom toFit(PixelSize available, PixelSize chrome, int ceilingPercent = kMaximumPercent);

    friend bool operator==(const Zoom&, const Zoom&) = default;

  private:
    int m_percent;
};

}  // namespace vorn
