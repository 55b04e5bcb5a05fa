#include "qt/charts/chart_view.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPicture>
#include <algorithm>
#include <cmath>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "qt/charts/chart_style.h"
#include "qt/charts/hover.h"

namespace vorn {
namespace {

// Relative sizes of the chart's texts: tick labels and axis titles a little smaller than the
// widget font; the legend shrinks further, down to kSmallestLegend, before it abbreviates.
constexpr double kLabelFactor = 0.9;
constexpr double kLegendFactors[] = {1.0, 0.95, 0.9, 0.85, 0.8, 0.75, 0.7};
// The sizes above this only where the legend is to stay large.
constexpr double kLargestLegendFactor = 0.9;
// Opacity of a faded series, and of the legend names of faded series.
constexpr int kFadedAlpha = 45;
const QColor kFadedName(150, 150, 150);
// Pixel size of the design font (8.25 point at 96 dots per inch), for line widths.
constexpr double kDesignFontPixels = 11.0;

/// Width of the legend with `names` in `columns` columns of `rows`, in `metrics`.
int legendWidth(const QStringList& names, int rows, int columns, const QFontMetrics& metrics,
                int overhead) {
    int width = 0;
    for (int column = 0; column < columns; ++column) {
        int widest = 0;
        for (int row = 0; row < rows; ++row) {
            const int index = column * rows + row;
            if (index < names.size()) {
                widest = std::max(widest, metrics.horizontalAdvance(names[index]));
            }
        }
        width += widest + overhead;
    }
    return width;
}

/// The legend's entries in order; a legend in columns counts its empty last cells as items.
QList<QCPAbstractLegendItem*> entriesOf(const QCPLegend* legend) {
    QList<QCPAbstractLegendItem*> entries;
    for (int i = 0; i < legend->itemCount(); ++i) {
        if (QCPAbstractLegendItem* item = legend->item(i)) {
            entries.append(item);
        }
    }
    return entries;
}

}  // namespace

ChartView::ChartView(QWidget* parent)
    : QCustomPlot(parent),
      m_legendShare(ChartFrame::kLegendShare),
      m_smallestLegendFactor(ChartFrame::kSmallestLegendFactor) {
    setFocusPolicy(Qt::TabFocus);
    setAutoAddPlottableToLegend(false);
    setInteractions(QCP::Interactions());

    // The plot area on the left; the legend on the right, at the top of its own column.
    plotLayout()->setAutoMargins(QCP::msNone);
    plotLayout()->setColumnSpacing(0);
    axisRect()->insetLayout()->take(legend);
    m_side = new QCPLayoutGrid();
    QCPLayoutGrid* side = m_side;
    plotLayout()->addElement(0, 1, side);
    plotLayout()->setColumnStretchFactor(1, 0.001);
    side->addElement(0, 0, legend);
    side->expandTo(2, 1);
    side->setRowStretchFactor(0, 0.001);
    side->setRowSpacing(0);
    legend->setVisible(true);
    legend->setBorderPen(Qt::NoPen);
    legend->setBrush(Qt::NoBrush);
    legend->setRowSpacing(0);
    legend->setFillOrder(QCPLayoutGrid::foRowsFirst);

    auto ticker = QSharedPointer<QCPAxisTickerFixed>::create();
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    yAxis->setTicker(ticker);
    yAxis->setNumberFormat(QStringLiteral("g"));
    yAxis->setNumberPrecision(4);
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->setSubTicks(false);
        axis->setTickLength(0, 3);
        axis->grid()->setPen(QPen(QColor(225, 225, 225), 0));
    }
    yAxis->grid()->setZeroLinePen(QPen(QColor(150, 150, 150), 0));
    // The series on a layer of their own: new data redraws that layer only, while the axes,
    // grid and legend stay as drawn.
    layer(QStringLiteral("main"))->setMode(QCPLayer::lmBuffered);
    m_dataLayers.append(layer(QStringLiteral("main")));
    m_note = new QCPItemText(this);
    m_note->setLayer(QStringLiteral("legend"));
    m_note->position->setType(QCPItemPosition::ptAxisRectRatio);
    m_note->position->setCoords(0.5, 0.5);
    m_note->setPositionAlignment(Qt::AlignCenter);
    m_note->setColor(QColor(90, 90, 90));
    m_note->setVisible(false);
    applyFonts();
}

void ChartView::reuseLargeBuffers() {
#if defined(__GLIBC__)
    // Blocks up to the largest threshold the library takes come from the heap, and freed ones
    // stay there for reuse: a chart's buffers are a few megabytes each.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}

ChartView::~ChartView() {
    if (!m_legendShown) {
        plotLayout()->addElement(0, 1, m_side);  // the layout owns the legend's column
    }
}

void ChartView::setNote(const QString& text) {
    if (m_note->text() == text && m_note->visible() == !text.isEmpty()) {
        return;
    }
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
    replot(rpQueuedRefresh);
}

QString ChartView::note() const {
    return m_note->visible() ? m_note->text() : QString();
}

QFont ChartView::chartFont(double factor) const {
    // In pixels, not points: drawn on a printer, PDF or SVG, a point size would be measured
    // again at the device's resolution, while the chart is scaled as a whole.
    QFont scaled = font();
    scaled.setPixelSize(
        std::max(1, static_cast<int>(std::lround(QFontInfo(font()).pixelSize() * factor))));
    return scaled;
}

double ChartView::lineWidth() const {
    // Whole pixels: a one-pixel line takes the painter's fast path, a wider or fractional
    // one is outlined and filled, which costs several times as much.
    return std::max(1.0, std::round(QFontInfo(font()).pixelSize() / kDesignFontPixels));
}

int ChartView::captionPixels() const {
    return static_cast<int>(std::ceil(m_captionLines * QFontMetrics(font()).lineSpacing()));
}

void ChartView::setCaptionSpace(double lines) {
    ChartFrame changed = frame();
    changed.captionLines = lines;
    setFrame(changed);
}

QMargins ChartView::sideMargins() const {
    return {static_cast<int>(std::ceil(width() * m_leftShare)), 0,
            static_cast<int>(std::ceil(width() * m_rightShare)), 0};
}

QRect ChartView::drawnArea() const {
    return geometry().marginsRemoved(sideMargins());
}

void ChartView::applyFonts() {
    const QFont labels = chartFont(kLabelFactor);
    const int gap = std::max(1, QFontMetrics(labels).height() / 5);
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->setTickLabelFont(labels);
        axis->setLabelFont(labels);
        axis->setTickLabelPadding(gap);
        axis->setLabelPadding(gap);
    }
    m_note->setFont(chartFont(1.0));
    const QMargins sides = sideMargins();
    plotLayout()->setMargins(
        QMargins(gap + sides.left(), captionPixels() + gap, gap + sides.right(), gap));
}

bool ChartView::setLegendEntries(const QList<QCPAbstractPlottable*>& plottables,
                                 const QStringList& names) {
    const QList<QCPAbstractLegendItem*> entries = entriesOf(legend);
    bool same = names == m_legendNames && entries.size() == plottables.size();
    for (int i = 0; same && i < plottables.size(); ++i) {
        same = legend->itemWithPlottable(plottables[i]) == entries[i];
    }
    if (same) {
        return false;
    }
    legend->clearItems();
    for (QCPAbstractPlottable* plottable : plottables) {
        plottable->addToLegend(legend);
    }
    m_legendNames = names;
    return true;
}

void ChartView::fitLegend() {
    // As many rows as the height holds, then as many columns as the entries need; a smaller
    // font when that is too wide; names abbreviated only when even that is too wide.
    const int count = static_cast<int>(m_legendNames.size());
    const int height = this->height() - captionPixels() - 6;
    const int widest = static_cast<int>(width() * (1 - m_leftShare - m_rightShare) * m_legendShare);
    QFont font;
    int rows = 1;
    int columns = 1;
    int overhead = 0;
    bool fits = false;
    for (double factor : kLegendFactors) {
        if (factor > kLargestLegendFactor && m_smallestLegendFactor < kLargestLegendFactor) {
            continue;  // the largest sizes only where the legend is to stay large
        }
        if (factor < m_smallestLegendFactor - 1e-9) {
            break;
        }
        font = chartFont(factor);
        const QFontMetrics metrics(font);
        rows = std::max(1, height / std::max(1, metrics.height()));
        columns = std::max(1, (count + rows - 1) / rows);
        rows = std::max(1, (count + columns - 1) / columns);
        overhead = metrics.height() * 2 + metrics.averageCharWidth();
        fits = legendWidth(m_legendNames, rows, columns, metrics, overhead) <= widest;
        if (fits) {
            break;
        }
    }
    m_legendWhole = fits || !m_legendShown;
    const QFontMetrics metrics(font);
    const int nameWidth = std::max(metrics.horizontalAdvance(QStringLiteral("Mmmm\u2026")),
                                   widest / columns - overhead);
    legend->setFont(font);
    // An even key height puts a smoothed one-pixel line on a row of pixels, not between two.
    legend->setIconSize(metrics.height() * 3 / 2 - 2,
                        std::max(2, metrics.height() * 2 / 3 / 2 * 2));
    legend->setIconTextPadding(metrics.averageCharWidth() / 2 + 1);
    legend->setColumnSpacing(metrics.averageCharWidth());
    legend->setMargins(QMargins(metrics.averageCharWidth(), 0, 0, 0));
    legend->setWrap(rows);
    legend->setFillOrder(QCPLayoutGrid::foRowsFirst, true);
    const QList<QCPAbstractLegendItem*> entries = entriesOf(legend);
    for (int i = 0; i < entries.size() && i < count; ++i) {
        auto* item = qobject_cast<QCPPlottableLegendItem*>(entries[i]);
        if (item == nullptr) {
            continue;
        }
        item->setMargins(QMargins());
        item->setFont(font);
        const QString shown = fits
                                  ? m_legendNames[i]
                                  : metrics.elidedText(m_legendNames[i], Qt::ElideRight, nameWidth);
        if (item->plottable()->name() != shown) {
            item->plottable()->setName(shown);
        }
    }
}

void ChartView::setValueAxisTitle(const QString& title) {
    m_valueTitle = title;
    fitValueAxisTitle();
}

void ChartView::fitValueAxisTitle() {
    // A title along a short axis is broken into two lines before its unit in brackets.
    const int axisLength = axisRect()->height() > 0
                               ? axisRect()->height()
                               : height() - captionPixels() - 3 * QFontMetrics(font()).height();
    const QFontMetrics metrics(yAxis->labelFont());
    QString shown = m_valueTitle;
    if (metrics.horizontalAdvance(m_valueTitle) > axisLength) {
        // A line still longer than the axis is shortened rather than cut off at its ends.
        QStringList lines = m_valueTitle.split(QStringLiteral(" ("));
        for (qsizetype i = 1; i < lines.size(); ++i) {
            lines[i].prepend(QLatin1Char('('));
        }
        // It may stand out beyond the plot's ends, not beyond the chart's.
        const int room = std::max(height() - captionPixels() - metrics.height(), axisLength);
        for (QString& line : lines) {
            line = metrics.elidedText(line, Qt::ElideMiddle, std::max(room, 1));
        }
        shown = lines.join(QLatin1Char('\n'));
    }
    if (yAxis->label() != shown) {
        yAxis->setLabel(shown);
    }
}

QCPLayer* ChartView::addDataLayer(const QString& name) {
    addLayer(name, layer(QStringLiteral("main")), limBelow);
    QCPLayer* added = layer(name);
    added->setMode(QCPLayer::lmBuffered);
    m_dataLayers.append(added);
    return added;
}

bool ChartView::showAxisRange(QCPAxis* axis, double low, double high) {
    const QCPRange range = axis->range();
    auto ticker = axis->ticker().staticCast<QCPAxisTickerFixed>();
    const double step = ticker->tickStep();
    const charts::AxisScale shown{
        range.lower, range.upper,
        step > 0 ? static_cast<int>(std::lround(range.size() / step)) + 1 : 2, step};
    const charts::AxisScale scale = charts::nextScale(shown, charts::axisScale(low, high));
    const double newStep = scale.step;
    if (scale.low == range.lower && scale.high == range.upper && newStep == step) {
        return false;
    }
    axis->setRange(scale.low, scale.high);
    ticker->setTickStep(newStep);
    return true;
}

void ChartView::hold(bool held) {
    m_holds = std::max(m_holds + (held ? 1 : -1), 0);
    if (m_holds > 0) {
        return;
    }
    if (m_relayoutHeld) {
        relayout();
    } else if (m_dataHeld) {
        showData(m_heldLabelsChanged, m_heldAxesChanged);
    }
}

void ChartView::showData(bool labelsChanged, bool axesChanged) {
    if (m_holds > 0) {
        m_dataHeld = true;
        m_heldLabelsChanged = m_heldLabelsChanged || labelsChanged;
        m_heldAxesChanged = m_heldAxesChanged || axesChanged;
        return;
    }
    m_dataHeld = false;
    m_heldLabelsChanged = false;
    m_heldAxesChanged = false;
    if (labelsChanged) {
        relayout();
    } else if (axesChanged) {
        replot(rpQueuedRefresh);
    } else {
        for (QCPLayer* data : m_dataLayers) {
            // A data layer with nothing on it shares a buffer with the layers below it.
            if (data->mode() == QCPLayer::lmBuffered) {
                data->replot();
            }
        }
    }
}

void ChartView::relayout() {
    if (m_holds > 0) {
        m_relayoutHeld = true;
        return;
    }
    m_relayoutHeld = false;
    m_dataHeld = false;  // drawn with the rest
    m_heldLabelsChanged = false;
    m_heldAxesChanged = false;
    setViewport(rect());  // a hidden widget gets its resize event only when shown
    applyFonts();
    restyle();
    fitLegend();
    fitValueAxisTitle();
    updateLayout();  // the plot width the horizontal labels must fit
    fitHorizontalLabels();
    fitValueAxisTitle();
    // The top value label stands centred on the plot's top edge: room for its upper half,
    // or it would not be drawn at all.
    const int topHalf = QFontMetrics(yAxis->tickLabelFont()).height() / 2 + 1;
    axisRect()->setMinimumMargins(QMargins(0, topHalf, m_labelOverhang, 0));
    replot(rpQueuedRefresh);
}

int ChartView::bottomTitleRoom() const {
    const int centre = axisRect()->rect().center().x();
    return std::max(2 * std::min(centre, width() - centre) - 8, 50);
}

void ChartView::setFrame(const ChartFrame& frame, const QRect& place) {
    const bool changed = !(frame == this->frame());
    m_captionLines = std::max(frame.captionLines, 0.0);
    m_leftShare = std::clamp(frame.leftShare, 0.0, 0.25);
    m_rightShare = std::clamp(frame.rightShare, 0.0, 0.25);
    m_legendShare = frame.legendShare;
    m_smallestLegendFactor = frame.smallestLegendFactor;
    if (m_legendShown != frame.legendShown) {
        m_legendShown = frame.legendShown;
        legend->setVisible(m_legendShown);
        // An invisible legend would still take its room in the layout: its column goes with it.
        if (m_legendShown) {
            plotLayout()->addElement(0, 1, m_side);
            plotLayout()->setColumnStretchFactor(1, 0.001);
        } else {
            plotLayout()->take(m_side);
            plotLayout()->simplify();
        }
    }
    // A new size lays the chart out anew by itself.
    const bool resized = place.isValid() && place.size() != size() && isVisible();
    if (place.isValid() && place != geometry()) {
        setGeometry(place);
    }
    if (changed && !resized) {
        relayout();
    }
}

ChartFrame ChartView::frame() const {
    return {m_captionLines, m_leftShare,   m_rightShare,
            m_legendShown,  m_legendShare, m_smallestLegendFactor};
}

void ChartView::fadeLegendNames(const QList<bool>& faded) {
    const QList<QCPAbstractLegendItem*> entries = entriesOf(legend);
    for (int i = 0; i < entries.size(); ++i) {
        const QColor color = i < faded.size() && faded[i] ? kFadedName : QColor(Qt::black);
        if (entries[i]->textColor() != color) {
            entries[i]->setTextColor(color);
        }
    }
}

QColor ChartView::emphasized(QColor color, SeriesEmphasis emphasis) {
    if (emphasis == SeriesEmphasis::Faded) {
        color.setAlpha(kFadedAlpha);
    }
    return color;
}

QList<QRect> ChartView::legendEntryRects() const {
    QList<QRect> rects;
    for (const QCPAbstractLegendItem* item : entriesOf(legend)) {
        rects.append(item->outerRect());
    }
    return rects;
}

QString ChartView::labelHoverText(const QPointF& /*position*/) const {
    return {};
}

QString ChartView::hoverText(const QPoint& position) const {
    const QList<QCPAbstractLegendItem*> entries =
        m_legendShown ? entriesOf(legend) : QList<QCPAbstractLegendItem*>();
    for (int i = 0; i < entries.size() && i < m_legendNames.size(); ++i) {
        if (entries[i]->outerRect().contains(position)) {
            return m_legendNames[i];
        }
    }
    const QRect plot = axisRect()->rect();
    if (plot.contains(position)) {
        return plotHoverText(position);
    }
    const bool below =
        position.x() >= plot.left() && position.x() <= plot.right() && position.y() > plot.bottom();
    const bool left =
        position.y() >= plot.top() && position.y() <= plot.bottom() && position.x() < plot.left();
    if (below || left) {
        return labelHoverText(position);
    }
    return {};
}

void ChartView::drawInto(QPainter& painter, const QRectF& target) {
    if (width() <= 0 || height() <= 0 || target.isEmpty()) {
        return;
    }
    if (painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Raster) {
        // Into pixels as on screen, at as many pixels as the target covers on its device.
        const double scale = painter.deviceTransform().mapRect(target).width() / width();
        const QPixmap pixels = toPixmap(width(), height(), scale);
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, pixels, QRectF(pixels.rect()));
        painter.restore();
        return;
    }
    // Recorded as drawing commands and played back into the target painter, so that a
    // vector device receives lines and text, never a picture of them.
    // Hairlines one screen pixel wide: a printer would draw them one of its dots wide.
    QPicture picture;
    QCPPainter recorder(&picture);
    recorder.setModes(QCPPainter::pmVectorized | QCPPainter::pmNonCosmetic);
    toPainter(&recorder, width(), height());
    recorder.end();
    // A picture plays itself scaled from the resolution it was recorded at to the device's.
    const QPaintDevice* device = painter.device();
    const double dpiX = device != nullptr ? device->logicalDpiX() : picture.logicalDpiX();
    const double dpiY = device != nullptr ? device->logicalDpiY() : picture.logicalDpiY();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / width(), target.height() / height());
    painter.setClipRect(QRectF(0, 0, width(), height()), Qt::IntersectClip);
    painter.scale(picture.logicalDpiX() / dpiX, picture.logicalDpiY() / dpiY);
    picture.play(&painter);
    painter.restore();
}

bool ChartView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        charts::answerToolTip(this, help, hoverText(help->pos()));
        return true;
    }
    return QCustomPlot::event(event);
}

void ChartView::changeEvent(QEvent* event) {
    QCustomPlot::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        relayout();
    }
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    QCustomPlot::mousePressEvent(event);
    if (m_legendShown && event->button() == Qt::LeftButton) {
        const QList<QCPAbstractLegendItem*> entries = entriesOf(legend);
        for (int i = 0; i < entries.size(); ++i) {
            if (entries[i]->outerRect().contains(event->position().toPoint())) {
                emit legendEntryClicked(i);
                return;
            }
        }
    }
    emit clicked();
}

// A double click reaches the chart as press, release, double click, release: its second press
// is a click like the first, not lost.
void ChartView::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void ChartView::keyPressEvent(QKeyEvent* event) {
    const bool press = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                       event->key() == Qt::Key_Enter;
    if (press && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit clicked();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        switch (event->key()) {
            case Qt::Key_Down:
            case Qt::Key_Right:
                event->accept();
                emit highlightStepped(true);
                return;
            case Qt::Key_Up:
            case Qt::Key_Left:
                event->accept();
                emit highlightStepped(false);
                return;
            default:
                break;
        }
    }
    QCustomPlot::keyPressEvent(event);
}

void ChartView::focusInEvent(QFocusEvent* event) {
    QCustomPlot::focusInEvent(event);
    update();
}

void ChartView::focusOutEvent(QFocusEvent* event) {
    QCustomPlot::focusOutEvent(event);
    update();
}

void ChartView::paintEvent(QPaintEvent* event) {
    // Sharp on a high-density screen: the buffers follow the screen the widget is on.
    if (!qFuzzyCompare(bufferDevicePixelRatio(), devicePixelRatioF())) {
        setBufferDevicePixelRatio(devicePixelRatioF());
        replot(rpQueuedRefresh);
    }
    QCustomPlot::paintEvent(event);
    if (hasFocus()) {
        // Around what is drawn: the side space may lie behind another chart.
        QPainter painter(this);
        QPen ring(palette().color(QPalette::Active, QPalette::Highlight), 2);
        ring.setJoinStyle(Qt::MiterJoin);
        painter.setPen(ring);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect().marginsRemoved(sideMargins())).adjusted(1, 1, -1, -1));
    }
}

void ChartView::resizeEvent(QResizeEvent* /*event*/) {
    relayout();
}

}  // namespace vorn
