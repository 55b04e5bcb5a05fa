#pragma once

#include <QFont>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "editing/cell_keys.h"
#include "shell/controls.h"
#include "shell/zoom.h"

class QLabel;
class QMenu;
class QScrollBar;

namespace vorn {

class Announcer;
class BarChartView;
class FocusRing;
class GridView;
class LineChartView;
class TextBox;
class Trends;

/// The client area of the main window: every control of the window layout at its design
/// place and size, scaled by the zoom, drawn from the window state `Trends`. User events go
/// to the state's handlers, after which the view catches up with the state (texts, tables,
/// charts, front-to-back order). The view decides nothing itself.
///
/// For the keyboard and assistive technology: keys on the tables go to the same handlers as
/// clicks; F6 and Shift+F6 jump between the regions of the window; a control wholly behind
/// another is left out of the Tab order; every control carries its accessible name, the charts
/// a description of what they show; after every command the announcer tells a screen reader
/// what changed.
class TrendsView : public QWidget {
    Q_OBJECT
  public:
    explicit TrendsView(Trends& trends, QWidget* parent = nullptr);

    /// Runs a handler of the window state, then refreshes and announces what changed. An entry
    /// typed into a cell is committed first; when it is refused the handler does not run and
    /// the editor stays open. A handler that throws leaves a message instead of ending the
    /// program.
    void run(const std::function<void()>& handler);
    /// Catches up with the window state; skips what has not changed.
    void refresh();

    QWidget* widget(Control control) const {
        return m_widgets[static_cast<std::size_t>(index(control))];
    }
    GridView* grid(Control control) const;
    LineChartView* lineChart(Control control) const;
    BarChartView* barChart() const { return m_contributions; }

    /// Gives the keyboard focus to the control of tab index 0 (the Totals table).
    void focusFirstControl();
    /// F6 (`forward`) or Shift+F6: the keyboard goes to the next or previous region.
    void jumpRegion(bool forward);
    /// The context menu of a table's current cell while it is open (Menu key, Shift+F10).
    QMenu* cellMenu() const { return m_cellMenu; }
    Announcer* announcer() const { return m_announcer; }
    /// The control whose widget is `widget` or holds it; nothing for a widget outside the
    /// controls.
    std::optional<Control> controlOf(const QWidget* widget) const;
    /// Shows the whole design at `zoom`: places, sizes, fonts, column widths, row heights.
    void setZoom(const Zoom& zoom);
    const Zoom& zoom() const { return m_zoom; }

    /// Pixel rectangle of a control's design-time place at `zoom`.
    static QRect designRect(Control control, const Zoom& zoom = Zoom());
    /// The font of every control: the platform's user-interface font, no larger than the
    /// design size, scaled by `zoom`.
    static QFont designFont(const Zoom& zoom = Zoom());
    /// Size the client area needs to show every control whole at `zoom`.
    static QSize designSize(const Zoom& zoom = Zoom());

  signals:
    /// The view has caught up with the window state.
    void refreshed();
    /// The view shows a new zoom.
    void zoomed();

  private:
    void build(const ControlLayout& layout);
    /// Tab moves through the controls in the order of their tab indexes.
    void applyTabOrder();
    QWidget* makeTextBox(const ControlLayout& layout);
    QWidget* makeSlider(const ControlLayout& layout);
    QWidget* makeLabel(const ControlLayout& layout);
    QWidget* makeGrid(const ControlLayout& layout);
    QWidget* makeChart(const ControlLayout& layout);
    /// Gives each one-line caption and label the largest font, up to the design font, at
    /// which its design text fits its box; the six slider captions share one size.
    void fitCaptionFonts();
    void sliderMoved(Control slider, int position);
    void gridPressed(Control grid, int row, int column, int button);
    void entryKeyPressed(Control grid, int row, int column, const QString& text);
    void cellKeyMoved(Control grid, CellMove move);
    void showCellMenu(Control grid);
    void focusChanged(QWidget* now);
    /// Commits the entries of the open cell editors; false when one was refused.
    bool finishEntries();
    void gridBackgroundPressed(Control grid);

    void refreshTexts();
    void refreshSliders();
    void refreshStacking();
    void refreshCharts();
    /// Names and descriptions that follow the window state: the tables', the charts'.
    void refreshAccessibleTexts();
    /// A control wholly behind another takes no focus from Tab.
    void refreshFocusPolicies();
    bool hiddenBehindAnother(Control control) const;
    void drawChart(Control chart);

    Trends& m_trends;
    Zoom m_zoom;
    std::array<QWidget*, kControlCount> m_widgets{};
    LineChartView* m_levels = nullptr;
    LineChartView* m_spread = nullptr;
    BarChartView* m_contributions = nullptr;
    std::vector<Control> m_shownStacking;
    unsigned long m_shownProjection = 0;
    unsigned long m_shownBands = 0;
    unsigned long m_shownComparison = 0;
    bool m_anyProjectionShown = false;
    std::array<bool, kControlCount> m_chartOutdated{};
    std::array<Qt::FocusPolicy, kControlCount> m_focusPolicies{};
    bool m_running = false;
    Announcer* m_announcer = nullptr;
    FocusRing* m_focusRing = nullptr;
    QMenu* m_cellMenu = nullptr;
};

}  // namespace vorn
