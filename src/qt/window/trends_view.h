#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "editing/cell_keys.h"
#include "shell/controls.h"
#include "shell/presentation_layout.h"
#include "shell/zoom.h"

class QLabel;
class QMenu;
class QScrollBar;

namespace vorn {

class Announcer;
class BarChartView;
class ChartView;
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
///
/// The same controls have a second arrangement, the presentation layout, which fills a whole
/// screen with texts sized for a room: presentationLayout places and sizes them, the window
/// state's stacking still decides what is in front. Widgets of other windows (the analysis
/// windows) can stand in its side panels meanwhile.
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
    /// Shows the whole design at `zoom`: places, sizes, fonts, column widths, row heights; leaves
    /// the presentation layout.
    void setZoom(const Zoom& zoom);
    const Zoom& zoom() const { return m_zoom; }

    /// Arranges the controls in the presentation layout for a client area of `area` on a screen
    /// of `screen`, or again for a new size. setZoom brings the design back.
    void showPresentation(QSize area, QSize screen);
    bool inPresentation() const { return m_places.has_value(); }
    /// Where the presentation layout places everything now; null in the design.
    const PresentationPlaces* presentationPlaces() const { return m_places ? &*m_places : nullptr; }
    const Presentation& presentation() const { return m_presentation; }
    /// A Help command asked for `pane`: in the presentation layout its drawer shows it, or
    /// closes when it shows it already. Run it inside run().
    void helpAsked(Control pane);
    /// Gives `panel`, a child of this view, a side panel of the presentation layout (again).
    void addSidePanel(QWidget* panel);
    /// The panel's place is free again.
    void removeSidePanel(QWidget* panel);
    /// The position in words shown beside each slider in the presentation layout.
    QLabel* sliderValueLabel(Control slider) const;

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
    /// The view shows a new zoom, or the presentation layout a new text size.
    void zoomed();
    /// The presentation layout was turned on or off.
    void presentationChanged(bool on);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

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
    /// How each chart draws its series while one may be highlighted.
    void refreshEmphasis();
    ChartView* chartView(Control chart) const;
    /// The places the presentation layout gives everything for the window state now, the
    /// fonts of a new text size applied first; nothing in the design.
    std::optional<PresentationPlaces> presentationNow();
    /// Places everything as the presentation layout says for the window state now, where
    /// that changed.
    void applyPresentation();
    void applyPresentationFonts(const PresentationMetrics& metrics);
    /// Holds the charts' layout and drawing (`hold`), or releases a hold made when `held`.
    void holdCharts(bool hold, bool held = true);
    void placeForPresentation(const PresentationPlaces& places);
    /// The charts at their design places at `zoom`, with room for the caption boxes over them
    /// and, for the Scenario Trends chart, the edges the Spread chart leaves uncovered.
    void applyDesignChartFrames(const Zoom& zoom);
    /// The drawer and the side panels above everything else.
    void raiseOverlays();

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
    Presentation m_presentation;
    std::optional<PresentationPlaces> m_places;
    QSize m_presentationArea;
    QSize m_presentationScreen;
    std::array<QLabel*, 3> m_sliderValues{};
    std::vector<QPointer<QWidget>> m_panels;
};

}  // namespace vorn
