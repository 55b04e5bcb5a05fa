#include "qt/charts/loop_diagram_view.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "qt/charts/chart_style.h"
#include "qt/charts/hover.h"

namespace vorn {
namespace {

// How far an arrow bends off the straight line, relative to its length.
constexpr double kBend = 0.12;
// Pixel size of the design font, for line widths, as the charts reckon it.
constexpr double kDesignFontPixels = 11.0;
// The widest arrow, in line widths, up to this many arrows.
constexpr double kWidestArrow = 5.0;
constexpr double kRoomyArrows = 40.0;
// Fonts of the names, relative to the widget font: smaller where they crowd.
constexpr double kNameFactors[] = {0.9, 0.8, 0.7};
// A name takes at most this share of the widget's width.
constexpr double kNameShare = 0.22;
// Opacity of what a highlighted loop leaves out.
constexpr int kDimmed = 45;
// Rounds of shortening the names that cover others, at one font size.
constexpr int kNameRounds = 12;
// Points along an arrow for hovering and clicks.
constexpr int kCurveSteps = 12;
// Up to this many arrows, each bears its sign beside its head, as causal diagrams mark
// them; beyond, the signs would cover the diagram, and colour and dashes tell them apart.
constexpr int kSignedArrows = 60;
// Up to this many arrows, their edges are smoothed.
constexpr int kSmoothArrows = 120;

QPointF bezier(const QPointF& a, const QPointF& control, const QPointF& b, double t) {
    const double u = 1 - t;
    return u * u * a + 2 * u * t * control + t * t * b;
}

QPointF unit(const QPointF& v) {
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF(0, 0);
}

// `line` without its last `length` pixels.
QPolygonF trimmed(QPolygonF line, double length) {
    while (line.size() > 2 && length > 0) {
        const QPointF last = line.last();
        const QPointF before = line[line.size() - 2];
        const double segment = std::hypot(last.x() - before.x(), last.y() - before.y());
        if (segment > length) {
            line.last() = last + (before - last) * (length / segment);
            return line;
        }
        length -= segment;
        line.removeLast();
    }
    return line;
}

// The outline of a band `width` wide along `line`.
QPolygonF ribbon(const QPolygonF& line, double width) {
    QPolygonF left;
    QPolygonF right;
    const qsizetype count = line.size();
    for (qsizetype k = 0; k < count; ++k) {
        const QPointF direction =
            unit(line[std::min(k + 1, count - 1)] - line[std::max<qsizetype>(k - 1, 0)]);
        const QPointF normal(-direction.y() * width / 2, direction.x() * width / 2);
        left << line[k] + normal;
        right.prepend(line[k] - normal);
    }
    return left + right;
}

// The band along `line`, whole, or in dashes `dash` long with gaps of half that.
QList<QPolygonF> ribbons(const QPolygonF& line, double width, double dash) {
    if (dash <= 0 || line.size() < 2) {
        return {ribbon(line, width)};
    }
    QList<QPolygonF> pieces;
    QPolygonF piece{line[0]};
    bool drawn = true;
    double left = dash;
    for (qsizetype k = 1; k < line.size(); ++k) {
        QPointF at = line[k - 1];
        const QPointF end = line[k];
        double segment = std::hypot(end.x() - at.x(), end.y() - at.y());
        while (segment > left) {
            at += (end - at) * (left / segment);
            segment -= left;
            if (drawn) {
                piece << at;
                pieces.append(ribbon(piece, width));
            }
            piece = QPolygonF{at};
            drawn = !drawn;
            left = drawn ? dash : dash / 2;
        }
        left -= segment;
        piece << end;
    }
    if (drawn && piece.size() > 1) {
        pieces.append(ribbon(piece, width));
    }
    return pieces;
}

// `color` as it shows dimmed over `background`, opaque: blending is several times faster
// for the painter than a colour it must mix.
QColor faded(const QColor& color, const QColor& background) {
    const double keep = kDimmed / 255.0;
    return QColor::fromRgbF(
        static_cast<float>(color.redF() * keep + background.redF() * (1 - keep)),
        static_cast<float>(color.greenF() * keep + background.greenF() * (1 - keep)),
        static_cast<float>(color.blueF() * keep + background.blueF() * (1 - keep)));
}

QColor signColor(double value) {
    return charts::seriesColor(value < 0 ? 1 : 0);
}

}  // namespace

LoopDiagramView::LoopDiagramView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(120, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void LoopDiagramView::setDiagram(const QList<Node>& nodes, const QList<Arrow>& arrows,
                                 const QStringList& signNames) {
    m_nodes = nodes;
    m_arrows.clear();
    for (const Arrow& arrow : arrows) {
        const bool inside = arrow.from >= 0 && arrow.to >= 0 && arrow.from < nodes.size() &&
                            arrow.to < nodes.size() && arrow.from != arrow.to;
        if (inside && std::isfinite(arrow.value)) {
            m_arrows.append(arrow);
        }
    }
    m_signNames = signNames;
    // The arrow the keyboard is on stays, while it is there.
    const int from = m_current >= 0 ? m_currentLink.first : -1;
    const int to = m_currentLink.second;
    m_current = -1;
    for (qsizetype a = 0; a < m_arrows.size() && from >= 0; ++a) {
        if (m_arrows[a].from == from && m_arrows[a].to == to) {
            m_current = static_cast<int>(a);
        }
    }
    relayout();
}

void LoopDiagramView::setCurrentArrow(int index) {
    m_current = index >= 0 && index < m_arrows.size() ? index : -1;
    if (m_current >= 0) {
        const Arrow& arrow = m_arrows[m_current];
        m_currentLink = {arrow.from, arrow.to};
        setAccessibleDescription(arrow.hover);
        QToolTip::showText(mapToGlobal(pointOnArrow(m_current).toPoint()), arrow.hover, this);
    }
    update();
}

void LoopDiagramView::keyPressEvent(QKeyEvent* event) {
    const int count = static_cast<int>(m_arrows.size());
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (count == 0 || !plain) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            setCurrentArrow((m_current + 1) % count);
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            setCurrentArrow(m_current <= 0 ? count - 1 : m_current - 1);
            break;
        case Qt::Key_Home:
            setCurrentArrow(0);
            break;
        case Qt::Key_End:
            setCurrentArrow(count - 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (m_current < 0) {
                setCurrentArrow(0);
            } else {
                emit arrowClicked(m_arrows[m_current].from, m_arrows[m_current].to);
            }
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void LoopDiagramView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void LoopDiagramView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void LoopDiagramView::setHighlight(const QList<int>& items) {
    if (items != m_highlight) {
        m_highlight = items;
        m_picture = QPixmap();
        update();
    }
}

void LoopDiagramView::setNote(const QString& text) {
    if (text != m_note) {
        m_note = text;
        m_picture = QPixmap();
        update();
    }
}

QFont LoopDiagramView::scaledFont(double factor) const {
    QFont scaled = font();
    scaled.setPixelSize(
        std::max(1, static_cast<int>(std::lround(QFontInfo(font()).pixelSize() * factor))));
    return scaled;
}

double LoopDiagramView::lineScale() const {
    return std::max(1.0, std::round(QFontInfo(font()).pixelSize() / kDesignFontPixels));
}

void LoopDiagramView::relayout() {
    placeNodes();
    placeArrows();
    // The names move only with the nodes, the widget's size and font: most changes leave
    // them where they are.
    QStringList names;
    for (const Node& node : m_nodes) {
        names.append(node.name);
    }
    const NameLayout layout{names, size(), QFontInfo(font()).pixelSize(), m_radius, m_nodeRadius};
    if (!(layout == m_nameLayout)) {
        m_nameLayout = layout;
        placeNames();
    }
    m_picture = QPixmap();
    update();
}

void LoopDiagramView::placeNodes() {
    const int count = static_cast<int>(m_nodes.size());
    const QFontMetrics names(scaledFont(kNameFactors[0]));
    const QFontMetrics marks(scaledFont(0.75));
    const double gap = names.height() / 3.0;
    int widestName = 0;
    int widestMark = 0;
    for (const Node& node : m_nodes) {
        widestName = std::max(widestName, names.horizontalAdvance(node.name));
        widestMark = std::max(widestMark, marks.horizontalAdvance(node.mark));
    }
    // Room for the names beside the circle and above and below it, and for the key below.
    const double keyHeight = names.height() + 2 * gap;
    const double side = std::min<double>(widestName, width() * kNameShare) + gap;
    const double above = names.height() + gap;
    m_nodeRadius = std::max(names.height() * 0.9, widestMark / 2.0 + 3);
    m_centre = QPointF(width() / 2.0, (height() - keyHeight) / 2.0);
    m_radius = std::max(10.0, std::min(width() / 2.0 - side, (height() - keyHeight) / 2.0 - above) -
                                  m_nodeRadius - gap);
    if (count > 1) {
        // Neighbours keep a little room between them.
        const double spacing = 2 * m_radius * std::sin(std::numbers::pi / count);
        m_nodeRadius = std::max(3.0, std::min(m_nodeRadius, spacing / 2.6));
    }
    m_places.clear();
    for (int i = 0; i < count; ++i) {
        const double angle = -std::numbers::pi / 2 + 2 * std::numbers::pi * i / count;
        const double r = count == 1 ? 0 : m_radius;
        m_places.append(m_centre + QPointF(r * std::cos(angle), r * std::sin(angle)));
    }
}

void LoopDiagramView::placeArrows() {
    m_shapes.clear();
    m_signPlaces.clear();
    m_hitLines.clear();
    m_widths.clear();
    double largest = 0;
    for (const Arrow& arrow : m_arrows) {
        largest = std::max(largest, std::abs(arrow.value));
    }
    const double line = lineScale();
    // Many arrows are drawn thinner, so that they leave something of each other to see.
    const double widest =
        1 + (kWidestArrow - 1) *
                std::min(1.0, std::sqrt(kRoomyArrows / std::max<double>(1, m_arrows.size())));
    const double signOffset = QFontMetrics(scaledFont(0.8)).height() * 0.55;
    for (const Arrow& arrow : m_arrows) {
        const double share = largest > 0 ? std::min(1.0, std::abs(arrow.value) / largest) : 0;
        const double width = line * (1 + (widest - 1) * share);
        const QPointF from = m_places[arrow.from];
        const QPointF to = m_places[arrow.to];
        const QPointF chord = to - from;
        // Bent to the right of its direction, so that the arrow back bends the other way.
        const QPointF right(-chord.y(), chord.x());
        const QPointF control = (from + to) / 2 + right * kBend;
        const QPointF start = from + unit(control - from) * m_nodeRadius;
        const QPointF tip = to + unit(control - to) * (m_nodeRadius + line);
        QPolygonF curve;
        for (int step = 0; step <= kCurveSteps; ++step) {
            curve << bezier(start, control, tip, static_cast<double>(step) / kCurveSteps);
        }
        const QPointF along = unit(tip - curve[kCurveSteps - 1]);
        const double headLength = 3 * line + 2 * width;
        const QPointF across(-along.y(), along.x());
        const QPointF base = tip - along * headLength;
        // From the line's left edge round the tip to its right edge.
        QPolygonF head;
        head << base + across * (headLength * 0.45) << tip << base - across * (headLength * 0.45);
        // Drawn as filled outlines: far faster for the painter than wide strokes.
        // One shape, which the painter fills at once: a solid arrow as one outline, line and
        // head; a dashed one as its dashes up to the head's base and the head.
        QPainterPath shape;
        const QPolygonF body = trimmed(curve, headLength);
        if (arrow.value >= 0) {
            const QPolygonF edges = ribbon(body, width);
            shape.addPolygon(edges.first(body.size()) + head + edges.sliced(body.size()));
        } else {
            for (const QPolygonF& piece : ribbons(body, width, 3 * width + 3 * line)) {
                shape.addPolygon(piece);
                shape.closeSubpath();
            }
            shape.addPolygon(head);
        }
        shape.closeSubpath();
        m_shapes.append(shape);
        // The sign beside the line near its head, on the outer side of the bend.
        m_signPlaces.append(bezier(start, control, tip, 0.78) +
                            unit(right) * (width / 2 + signOffset));
        m_hitLines.append(curve);
        m_widths.append(width);
    }
}

void LoopDiagramView::placeNames() {
    // The largest font at which every name finds room, shortened where names would cover
    // each other; at the smallest, a name that still would is left to its tooltip.
    for (double factor : kNameFactors) {
        m_nameFont = scaledFont(factor);
        if (fitNames(m_nameFont)) {
            return;
        }
    }
    for (qsizetype i = 0; i < m_nameRects.size(); ++i) {
        for (qsizetype j = 0; j < i; ++j) {
            if (!m_nameRects[j].isEmpty() && m_nameRects[i].intersects(m_nameRects[j])) {
                m_nameRects[i] = QRectF();
                m_shownNames[i].clear();
                break;
            }
        }
    }
}

bool LoopDiagramView::fitNames(const QFont& font) {
    const double shortest = QFontMetrics(font).horizontalAdvance(QStringLiteral("Mm\u2026"));
    QList<double> widest(m_nodes.size(), width() * kNameShare);
    for (int round = 0; round < kNameRounds; ++round) {
        const QList<std::pair<int, int>> covering = layNames(font, widest);
        if (covering.isEmpty()) {
            return true;
        }
        // The wider name of each pair that covers another gives way.
        bool shortened = false;
        for (const auto& [i, j] : covering) {
            const int wider = m_nameRects[i].width() >= m_nameRects[j].width() ? i : j;
            const double width = m_nameRects[wider].width();
            if (width > shortest + 1 && widest[wider] > shortest) {
                widest[wider] = std::max(shortest, std::min(widest[wider], width) * 0.7);
                shortened = true;
            }
        }
        if (!shortened) {
            return false;
        }
    }
    return layNames(font, widest).isEmpty();
}

QList<std::pair<int, int>> LoopDiagramView::layNames(const QFont& font,
                                                     const QList<double>& widest) {
    const QFontMetrics metrics(font);
    const double gap = metrics.height() / 4.0 + 1;
    const double reach = m_radius + m_nodeRadius + gap;
    m_shownNames.clear();
    m_nameRects.clear();
    const int count = static_cast<int>(m_nodes.size());
    for (int i = 0; i < count; ++i) {
        const QPointF offset = m_places[i] - m_centre;
        const double length = std::hypot(offset.x(), offset.y());
        // A lone node is named below it.
        const double c = length > 0 ? offset.x() / length : 0;
        const double s = length > 0 ? offset.y() / length : 1;
        const QPointF anchor = length > 0 ? m_centre + QPointF(c, s) * reach
                                          : m_centre + QPointF(0, m_nodeRadius + gap);
        double room = widest[i];
        if (c > 0.25) {
            room = std::min(room, width() - anchor.x() - 2);
        } else if (c < -0.25) {
            room = std::min(room, anchor.x() - 2);
        }
        const QString text = metrics.elidedText(m_nodes[i].name, Qt::ElideRight,
                                                static_cast<int>(std::max(room, 1.0)));
        const QSizeF size(metrics.horizontalAdvance(text) + 2, metrics.height());
        // Beside the node on the left and right, above and below it at the top and bottom.
        QPointF topLeft(anchor.x() - size.width() / 2, anchor.y() - size.height() / 2);
        if (c > 0.25) {
            topLeft.setX(anchor.x());
        } else if (c < -0.25) {
            topLeft.setX(anchor.x() - size.width());
        }
        if (s < -0.25) {
            topLeft.setY(anchor.y() - size.height());
        } else if (s > 0.25) {
            topLeft.setY(anchor.y());
        }
        QRectF rect(topLeft, size);
        rect.moveLeft(std::clamp(rect.left(), 0.0, std::max(0.0, width() - rect.width())));
        rect.moveTop(std::clamp(rect.top(), 0.0, std::max(0.0, height() - rect.height())));
        m_shownNames.append(text);
        m_nameRects.append(rect);
    }
    QList<std::pair<int, int>> covering;
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < i; ++j) {
            if (m_nameRects[i].intersects(m_nameRects[j])) {
                covering.append({i, j});
            }
        }
    }
    return covering;
}

QPointF LoopDiagramView::nodeCentre(int item) const {
    return item >= 0 && item < m_places.size() ? m_places[item] : QPointF();
}

QPointF LoopDiagramView::pointOnArrow(int index) const {
    if (index < 0 || index >= m_hitLines.size()) {
        return {};
    }
    return m_hitLines[index][kCurveSteps / 2];
}

int LoopDiagramView::arrowAt(const QPointF& position) const {
    int found = -1;
    double nearest = 0;
    for (qsizetype a = 0; a < m_hitLines.size(); ++a) {
        const QPolygonF& line = m_hitLines[a];
        double distance = HUGE_VAL;
        for (qsizetype k = 1; k < line.size(); ++k) {
            distance =
                std::min(distance, charts::distanceToSegment(position, line[k - 1], line[k]));
        }
        const double reach = std::max(4.0, m_widths[a] / 2 + 3);
        // A highlighted arrow wins where arrows lie close together.
        const double rank = distance - (highlighted(m_arrows[a].from, m_arrows[a].to) ? 2 : 0);
        if (distance <= reach && (found < 0 || rank < nearest)) {
            found = static_cast<int>(a);
            nearest = rank;
        }
    }
    return found;
}

int LoopDiagramView::nodeAt(const QPointF& position) const {
    for (qsizetype i = 0; i < m_places.size(); ++i) {
        const QPointF d = position - m_places[i];
        if (std::hypot(d.x(), d.y()) <= m_nodeRadius + 1 ||
            (i < m_nameRects.size() && m_nameRects[i].contains(position))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QString LoopDiagramView::hoverText(const QPointF& position) const {
    if (const int node = nodeAt(position); node >= 0) {
        return m_nodes[node].hover;
    }
    if (const int arrow = arrowAt(position); arrow >= 0) {
        return m_arrows[arrow].hover;
    }
    return {};
}

bool LoopDiagramView::highlighted(int from, int to) const {
    const qsizetype count = m_highlight.size();
    for (qsizetype k = 0; k < count; ++k) {
        if (m_highlight[k] == from && m_highlight[(k + 1) % count] == to) {
            return true;
        }
    }
    return false;
}

bool LoopDiagramView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        charts::answerToolTip(this, help, hoverText(help->pos()));
        return true;
    }
    return QWidget::event(event);
}

void LoopDiagramView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        relayout();
    }
}

void LoopDiagramView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    setCursor(nodeAt(at) >= 0 || arrowAt(at) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

void LoopDiagramView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPointF at = event->position();
    if (const int node = nodeAt(at); node >= 0) {
        emit nodeClicked(node);
    } else if (const int arrow = arrowAt(at); arrow >= 0) {
        emit arrowClicked(m_arrows[arrow].from, m_arrows[arrow].to);
    } else {
        emit backgroundClicked();
    }
    event->accept();
}

void LoopDiagramView::resizeEvent(QResizeEvent* /*event*/) {
    relayout();
}

void LoopDiagramView::paintEvent(QPaintEvent* /*event*/) {
    // Drawn once into a picture of its own: tooltips and the cursor repaint nothing else.
    const double ratio = devicePixelRatioF();
    if (m_picture.isNull() || m_picture.devicePixelRatio() != ratio ||
        m_picture.deviceIndependentSize() != QSizeF(size())) {
        m_picture = QPixmap(size() * ratio);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(palette().color(QPalette::Base));
        QPainter painter(&m_picture);
        drawDiagram(painter);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    if (hasFocus()) {
        // The ring of the control that has the keyboard, and the arrow it is on.
        const QColor highlight = palette().color(QPalette::Active, QPalette::Highlight);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(highlight, 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        if (m_current >= 0 && m_current < m_shapes.size()) {
            painter.setPen(QPen(highlight, 2 * lineScale()));
            painter.drawPath(m_shapes[m_current]);
        }
    }
}

void LoopDiagramView::drawDiagram(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_note.isEmpty()) {
        painter.setFont(scaledFont(1.0));
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(rect(), Qt::AlignCenter, m_note);
        return;
    }
    const bool anyHighlight = !m_highlight.isEmpty();
    // The arrows left out of a highlighted loop first, then the loop's above them. Smooth
    // edges cost the painter three times as much: a dense diagram goes without them.
    painter.setRenderHint(QPainter::Antialiasing, m_arrows.size() <= kSmoothArrows);
    painter.setPen(Qt::NoPen);
    for (const bool inLoop : {false, true}) {
        for (qsizetype a = 0; a < m_arrows.size(); ++a) {
            if (highlighted(m_arrows[a].from, m_arrows[a].to) != inLoop) {
                continue;
            }
            const QColor color = signColor(m_arrows[a].value);
            painter.setBrush(anyHighlight && !inLoop ? faded(color, palette().color(QPalette::Base))
                                                     : color);
            painter.drawPath(m_shapes[a]);
        }
        if (m_arrows.size() <= kSignedArrows) {
            for (qsizetype a = 0; a < m_arrows.size(); ++a) {
                if (highlighted(m_arrows[a].from, m_arrows[a].to) == inLoop) {
                    drawSign(painter, static_cast<int>(a), anyHighlight && !inLoop);
                }
            }
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);

    const QColor text = palette().color(QPalette::Text);
    const QFont markFont = scaledFont(0.75);
    for (qsizetype i = 0; i < m_nodes.size(); ++i) {
        const bool dimmed = anyHighlight && !m_highlight.contains(static_cast<int>(i));
        const Node& node = m_nodes[i];
        QColor ring = node.mark.isEmpty() ? QColor(110, 110, 110) : signColor(node.value);
        QColor fill = palette().color(QPalette::Base);
        QColor ink = text;
        if (dimmed) {
            ring.setAlpha(kDimmed);
            ink.setAlpha(kDimmed * 2);
        }
        painter.setPen(QPen(ring, lineScale() * (dimmed ? 1 : 1.5)));
        painter.setBrush(fill);
        painter.drawEllipse(m_places[i], m_nodeRadius, m_nodeRadius);
        if (!node.mark.isEmpty()) {
            painter.setFont(markFont);
            painter.setPen(ink);
            const QRectF box(m_places[i] - QPointF(m_nodeRadius, m_nodeRadius),
                             QSizeF(2 * m_nodeRadius, 2 * m_nodeRadius));
            painter.drawText(box, Qt::AlignCenter,
                             QFontMetrics(markFont).elidedText(node.mark, Qt::ElideRight,
                                                               static_cast<int>(2 * m_nodeRadius)));
        }
        if (i < m_nameRects.size() && !m_nameRects[i].isEmpty()) {
            painter.setFont(m_nameFont);
            painter.setPen(ink);
            painter.drawText(m_nameRects[i], Qt::AlignCenter, m_shownNames[i]);
        }
    }
    drawKey(painter);
}

void LoopDiagramView::drawSign(QPainter& painter, int index, bool dimmed) const {
    const Arrow& arrow = m_arrows[index];
    QColor color = signColor(arrow.value);
    if (dimmed) {
        color = faded(color, palette().color(QPalette::Base));
    }
    const QFont font = scaledFont(0.8);
    const double size = QFontMetrics(font).height();
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRectF(m_signPlaces[index] - QPointF(size / 2, size / 2), QSizeF(size, size)),
                     Qt::AlignCenter,
                     arrow.value < 0 ? QStringLiteral("\u2212") : QStringLiteral("+"));
}

void LoopDiagramView::drawKey(QPainter& painter) const {
    if (m_arrows.isEmpty() || m_signNames.size() < 2) {
        return;
    }
    const QFont font = scaledFont(kNameFactors[0]);
    const QFontMetrics metrics(font);
    const double line = lineScale();
    const double sample = metrics.height() * 2.0;
    double x = metrics.averageCharWidth();
    const double y = height() - metrics.height() * 0.8;
    painter.setFont(font);
    for (int sign = 0; sign < 2; ++sign) {
        const QColor color = signColor(sign == 0 ? 1 : -1);
        painter.setPen(
            QPen(color, 2 * line, sign == 0 ? Qt::SolidLine : Qt::DashLine, Qt::FlatCap));
        painter.drawLine(QPointF(x, y), QPointF(x + sample, y));
        x += sample + metrics.averageCharWidth();
        painter.setPen(palette().color(QPalette::Text));
        const QString name = m_signNames[sign];
        painter.drawText(QPointF(x, y + metrics.ascent() / 2.0 - 1), name);
        x += metrics.horizontalAdvance(name) + 2 * metrics.averageCharWidth();
    }
}

}  // namespace vorn
