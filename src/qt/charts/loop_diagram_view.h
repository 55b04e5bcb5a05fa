#pragma once

#include <QList>
#include <QPainterPath>
#include <QPixmap>
#include <QRectF>
#include <QStringList>
#include <QWidget>

namespace vorn {

/// A causal diagram: the items as nodes on a circle, in item order clockwise from the top,
/// each named outside it; every link an arrow from one node to another, curved so that two
/// opposite arrows stay apart, coloured by its sign (solid for raising, dashed for lowering)
/// and as wide as its size allows against the largest. A node shows its own growth inside.
/// Names shrink, then shorten with "…", so that none covers another. A loop can be
/// highlighted, the rest dimmed. Hovering an arrow or a node shows its text; clicking one
/// tells which. With the keyboard, the arrow keys move through the arrows (the one reached is
/// outlined and its text shown) and Enter or Space clicks it.
class LoopDiagramView : public QWidget {
    Q_OBJECT
  public:
    struct Node {
        QString name;
        QString mark;      // the own growth, shown inside the node; empty: none
        double value = 0;  // its sign colours the node's ring
        QString hover;
    };
    struct Arrow {
        int from = 0;
        int to = 0;
        double value = 0;
        QString hover;
    };

    explicit LoopDiagramView(QWidget* parent = nullptr);

    /// Shows `nodes` and `arrows` (between nodes of the list; others are left out);
    /// `signNames` names the raising and lowering arrows in the key.
    void setDiagram(const QList<Node>& nodes, const QList<Arrow>& arrows,
                    const QStringList& signNames);
    /// Highlights the arrows from each of `items` to the next, the last to the first, and
    /// their nodes, dimming the rest; empty: nothing is highlighted.
    void setHighlight(const QList<int>& items);
    /// A short text in the middle, for a diagram with nothing to show ("No items").
    void setNote(const QString& text);

    const QList<Node>& nodes() const { return m_nodes; }
    const QList<Arrow>& arrows() const { return m_arrows; }
    const QList<int>& highlight() const { return m_highlight; }
    QString note() const { return m_note; }
    /// Where node `item` is drawn, and a point on arrow `index` away from its ends, in widget
    /// coordinates.
    QPointF nodeCentre(int item) const;
    QPointF pointOnArrow(int index) const;
    /// The names as drawn and where.
    QStringList shownNames() const { return m_shownNames; }
    QList<QRectF> nameRects() const { return m_nameRects; }
    /// The arrow under `position` (the nearest within a few pixels), or -1.
    int arrowAt(const QPointF& position) const;
    /// The node under `position`, or -1.
    int nodeAt(const QPointF& position) const;
    /// What hovering at `position` shows; empty where there is nothing.
    QString hoverText(const QPointF& position) const;
    /// The arrow the keyboard is on, or -1.
    int currentArrow() const { return m_current; }

  signals:
    /// A click on the arrow from item `from` to item `to` (counted from 0).
    void arrowClicked(int from, int to);
    /// A click on node `item`.
    void nodeClicked(int item);
    /// A click on neither.
    void backgroundClicked();

  protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void setCurrentArrow(int index);
    void relayout();
    void placeNodes();
    void placeArrows();
    void placeNames();
    /// Lays the names out in `font`, shortening those that cover others; false when some
    /// still do.
    bool fitNames(const QFont& font);
    /// Lays the names out in `font`, each no wider than its `widest`; the pairs that cover
    /// each other.
    QList<std::pair<int, int>> layNames(const QFont& font, const QList<double>& widest);
    void drawDiagram(QPainter& painter) const;
    void drawSign(QPainter& painter, int index, bool dimmed) const;
    void drawKey(QPainter& painter) const;
    bool highlighted(int from, int to) const;
    QFont scaledFont(double factor) const;
    double lineScale() const;

    QList<Node> m_nodes;
    QList<Arrow> m_arrows;
    QStringList m_signNames;
    QList<int> m_highlight;
    QString m_note;
    int m_current = -1;  // the arrow the keyboard is on
    std::pair<int, int> m_currentLink{-1, -1};
    // The layout, in widget coordinates, made again at every change of data, size or font.
    QPointF m_centre;
    double m_radius = 0;
    double m_nodeRadius = 0;
    QList<QPointF> m_places;
    QList<QPainterPath> m_shapes;  // each arrow's outline: its line (or dashes), its head
    QList<QPointF> m_signPlaces;   // where its sign stands
    QList<QPolygonF> m_hitLines;   // its line as a polyline, for hovering and clicks
    QList<double> m_widths;
    QStringList m_shownNames;
    QList<QRectF> m_nameRects;
    QFont m_nameFont;
    struct NameLayout {
        QStringList names;
        QSize size;
        int fontPixels = 0;
        double radius = 0;
        double nodeRadius = 0;
        bool operator==(const NameLayout&) const = default;
    };
    NameLayout m_nameLayout;  // what the names were laid out for
    QPixmap m_picture;        // the diagram as drawn, until something changes
};

}  // namespace vorn
