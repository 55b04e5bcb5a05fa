#include <QPainter>
#include <QtTest>

#include "editing/click_handlers.h"
#include "qt/window/client_area_painting.h"
#include "support/window_fixture.h"

namespace {

// Share of the pixels of two images of one size that differ by more than a little.
double differingShare(const QImage& a, const QImage& b) {
    long differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            const int distance = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                                 std::abs(p.blue() - q.blue());
            differing += distance > 60 ? 1 : 0;
        }
    }
    return double(differing) / (double(a.width()) * a.height());
}

}  // namespace

class ClientAreaPaintingTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<vorn::testing::WindowFixture<>> m;

    vorn::TrendsView& view() { return *m->window.view(); }
    QImage painted(const QSize& size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        vorn::paintClientArea(view(), painter, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        return image;
    }

  private slots:
    void init() {
        m = std::make_unique<vorn::testing::WindowFixture<>>(5);
        QVERIFY(m->start());
    }
    void cleanup() { m.reset(); }

    // Overlapping controls in the window's front-to-back order, each where it is seen: the
    // drawing matches the screen in every arrangement, but for a few smoothed pixels.
    void drawsWhatTheWindowShows() {
        const auto compare = [this](const char* arrangement) {
            view().refresh();
            const QImage screen = view().grab().toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(differingShare(screen, painted(screen.size())) < 0.01, arrangement);
        };
        compare("start-up");
        view().run([this] { vorn::MscVary_Click(m->trends); });  // the spread chart in front
        compare("spread chart");
        view().run([this] { m->trends.HelpAbout_Click(); });
        compare("about pane");
    }

    // A page of another shape gets the whole window, as large as fits, centred.
    void fitsTheTargetKeepingItsShape() {
        const QSize size = view().size();
        const QImage page = painted(QSize(size.width() * 2, size.width() * 2));
        const auto blankRow = [&page](int y) {
            for (int x = 0; x < page.width(); ++x) {
                if (page.pixel(x, y) != qRgb(255, 255, 255)) {
                    return false;
                }
            }
            return true;
        };
        int top = 0;
        while (top < page.height() && blankRow(top)) {
            ++top;
        }
        int bottom = 0;
        while (bottom < page.height() && blankRow(page.height() - 1 - bottom)) {
            ++bottom;
        }
        QCOMPARE(page.height() - top - bottom, size.height() * 2);
        QVERIFY(std::abs(top - bottom) <= 1);
    }
};

QTEST_MAIN(ClientAreaPaintingTest)
#include "client_area_painting_test.moc"
