// A storm of seeded random events on the real window: clicks of all three buttons, double
// clicks and drags on every control, menu and analysis window, keys with and without Ctrl,
// Shift and Alt, and the wheel. Mouse and key events enter through the window system
// interface, as the platform plugin hands them on; every dialog is answered by the script,
// with cancels, good and bad files and odd names. The test passes when the program survives
// them all; under the sanitizers (.ci/run) any memory fault ends it.
//
// VORN_STORM_EVENTS sets the number of events (default 4000), VORN_STORM_SEED the seed, and
// VORN_STORM_LOG=1 prints each event before it is sent, to find the one that fails.

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <vector>

#include "support/window_fixture.h"

namespace {

int fromEnvironment(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text == nullptr || *text == '\0' ? fallback : std::atoi(text);
}

// Answers every dialog at random: cancelled, or a file or text the window must cope with.
class StormPlatform : public vorn::testing::ScriptedPlatform {
  public:
    std::mt19937_64 random{1};
    QString folder;

    std::optional<std::string> inputBox(const vorn::InputBoxRequest& request) override {
        inputRequests.push_back(request);
        const std::optional<std::string> answers[] = {
            std::nullopt, "", "Water", "Say \"cheese\"", std::string(5000, 'w'), "Line\r\nbreak"};
        return pick(answers);
    }
    std::optional<std::string> openFileName(const vorn::FileDialogRequest& request) override {
        openRequests.push_back(request);
        const std::optional<std::string> answers[] = {
            std::nullopt,
            std::string(VORN_SOURCE_EXAMPLES_DIR "/Example1.txt"),
            std::string(VORN_SOURCE_EXAMPLES_DIR "/PredatorPrey.txt"),
            file("missing.txt"),
            file("saved.txt"),
            folder.toStdString()};
        return pick(answers);
    }
    std::optional<std::string> saveFileName(const vorn::FileDialogRequest& request) override {
        saveRequests.push_back(request);
        const std::optional<std::string> answers[] = {std::nullopt, file("saved.txt"),
                                                      file("charts"), file("tables.csv"),
                                                      file("no folder/x.txt")};
        return pick(answers);
    }
    std::optional<vorn::SaveChoice> saveFileChoice(
        const vorn::FileDialogRequest& request) override {
        std::optional<std::string> path = saveFileName(request);
        if (!path) {
            return std::nullopt;
        }
        const int filters = static_cast<int>(request.filters.size());
        return vorn::SaveChoice{*path, 1 + static_cast<int>(random() % std::max(1, filters))};
    }
    vorn::DrawnFile drawChartFile(const std::string& type, const vorn::ChartPicture&) override {
        return {"charts " + type, {}};
    }
    bool askToReplace(const std::string& question) override {
        replaceQuestions.push_back(question);
        return random() % 2 == 0;
    }
    // Never Discard: the window stays open for the rest of the storm.
    vorn::CloseAnswer askSaveChanges(const std::string& question) override {
        closeQuestions.push_back(question);
        return random() % 2 == 0 ? vorn::CloseAnswer::Save : vorn::CloseAnswer::Cancel;
    }

  private:
    std::string file(const char* name) const { return (folder + '/' + name).toStdString(); }
    template <std::size_t N>
    std::optional<std::string> pick(const std::optional<std::string> (&answers)[N]) {
        return answers[random() % N];
    }
};

constexpr std::array kKeys = {
    Qt::Key_0,         Qt::Key_5,      Qt::Key_9,      Qt::Key_Minus,    Qt::Key_Plus,
    Qt::Key_Period,    Qt::Key_E,      Qt::Key_A,      Qt::Key_Comma,    Qt::Key_Space,
    Qt::Key_Return,    Qt::Key_Enter,  Qt::Key_Escape, Qt::Key_F2,       Qt::Key_Tab,
    Qt::Key_Backtab,   Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Up,       Qt::Key_Down,
    Qt::Key_Home,      Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Delete,
    Qt::Key_Backspace, Qt::Key_Insert, Qt::Key_Z,      Qt::Key_Y,        Qt::Key_B,
    Qt::Key_0,         Qt::Key_Equal,  Qt::Key_F,      Qt::Key_V,        Qt::Key_C,
    Qt::Key_Menu,      Qt::Key_F10};

class Storm {
  public:
    Storm(std::uint64_t seed, bool log) : m_random(seed), m_log(log) {}

    int below(int bound) {
        return static_cast<int>(m_random() % static_cast<std::uint64_t>(std::max(1, bound)));
    }

    /// One random event on a random control of a shown window.
    void next() {
        QWidget* window = target();
        if (window == nullptr || window->windowHandle() == nullptr) {
            return;
        }
        const QList<QWidget*> parts = window->findChildren<QWidget*>();
        QWidget* control = window;
        if (!parts.isEmpty() && below(10) > 0) {
            control = parts[below(static_cast<int>(parts.size()))];
        }
        if (!control->isVisible()) {
            control = window;
        }
        const QPoint at = window->mapFromGlobal(control->mapToGlobal(pointIn(control->rect())));
        // A menu or dialog that an event opens runs further events, which may close the
        // window: each part of an event goes only to a window that is still there.
        const QPointer<QWindow> handle = window->windowHandle();
        const Qt::KeyboardModifiers modifiers = someModifiers();
        const int kind = below(100);
        if (kind < 45) {
            const Qt::MouseButton button =
                std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[below(3)];
            say("click", button, control, at);
            const Qt::KeyboardModifiers held = modifiers & ~Qt::AltModifier;
            QTest::mousePress(handle, button, held, at);
            if (handle != nullptr) {
                QTest::mouseRelease(handle, button, held, at);
            }
        } else if (kind < 52) {
            say("double click", Qt::LeftButton, control, at);
            QTest::mouseDClick(handle, Qt::LeftButton, {}, at);
        } else if (kind < 58) {
            const QPoint to = at + QPoint(below(200) - 100, below(120) - 60);
            say("drag", Qt::LeftButton, control, at);
            QTest::mousePress(handle, Qt::LeftButton, {}, at);
            for (const QPoint& point : {(at + to) / 2, to}) {
                if (handle != nullptr) {
                    QTest::mouseMove(handle, point);
                }
            }
            if (handle != nullptr) {
                QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
            }
        } else if (kind < 85) {
            const Qt::Key key = kKeys[static_cast<std::size_t>(below(kKeys.size()))];
            say("key", key, control, at);
            typeKey(handle, key, modifiers);
        } else {
            const QPoint delta(0, below(2) == 0 ? 120 : -120);
            say("wheel", delta.y(), control, at);
            QWheelEvent wheel(at, window->mapToGlobal(at), QPoint(), delta, Qt::NoButton, modifiers,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(handle, &wheel);
        }
        QCoreApplication::processEvents();
    }

  private:
    // The modifiers pressed, the key pressed and released, the modifiers released: each as
    // its own event, and only to a window that is still there.
    static void typeKey(const QPointer<QWindow>& handle, Qt::Key key,
                        Qt::KeyboardModifiers modifiers) {
        constexpr std::array<std::pair<Qt::KeyboardModifier, Qt::Key>, 3> kModifierKeys{{
            {Qt::ShiftModifier, Qt::Key_Shift},
            {Qt::ControlModifier, Qt::Key_Control},
            {Qt::AltModifier, Qt::Key_Alt},
        }};
        const auto send = [&handle](bool press, Qt::Key code, Qt::KeyboardModifiers held,
                                    const QString& text) {
            if (handle != nullptr) {
                QTest::simulateEvent(handle, press, code, held, text, false);
            }
        };
        Qt::KeyboardModifiers held;
        for (const auto& [modifier, modifierKey] : kModifierKeys) {
            if (modifiers.testFlag(modifier)) {
                send(true, modifierKey, held, {});
                held |= modifier;
            }
        }
        const char ascii = QTest::keyToAscii(key);
        const QString text = ascii != 0 && !held.testFlag(Qt::ControlModifier)
                                 ? QString(QChar::fromLatin1(ascii))
                                 : QString();
        send(true, key, held, text);
        send(false, key, held, text);
        for (auto it = kModifierKeys.rbegin(); it != kModifierKeys.rend(); ++it) {
            if (held.testFlag(it->first)) {
                held &= ~it->first;
                send(false, it->second, held, {});
            }
        }
    }

    // An open menu most of the time, else any shown window: the main window most often.
    QWidget* target() {
        if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr && below(4) > 0) {
            return popup;
        }
        QWidgetList shown;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && !widget->inherits("QTipLabel")) {
                shown.append(widget);
            }
        }
        if (shown.isEmpty()) {
            return nullptr;
        }
        return shown[below(static_cast<int>(shown.size()))];
    }
    QPoint pointIn(const QRect& rect) {
        return {rect.left() + below(rect.width()), rect.top() + below(rect.height())};
    }
    Qt::KeyboardModifiers someModifiers() {
        Qt::KeyboardModifiers modifiers;
        const int roll = below(20);
        if (roll < 4) {
            modifiers |= Qt::ControlModifier;
        }
        if (roll == 4 || roll == 5) {
            modifiers |= Qt::ShiftModifier;
        }
        if (roll == 6) {
            modifiers |= Qt::ControlModifier | Qt::ShiftModifier;
        }
        if (roll == 7) {
            modifiers |= Qt::AltModifier;
        }
        return modifiers;
    }
    template <typename What>
    void say(const char* kind, What what, QWidget* control, QPoint at) {
        if (m_log) {
            qInfo("%d: %s %d on %s (%s) at %d,%d", m_count, kind, static_cast<int>(what),
                  qPrintable(control->objectName()), control->metaObject()->className(), at.x(),
                  at.y());
        }
        ++m_count;
    }

    std::mt19937_64 m_random;
    bool m_log;
    int m_count = 0;
};

}  // namespace

class StormTest : public QObject {
    Q_OBJECT
  private slots:
    void theWindowSurvivesAStormOfRandomEvents() {
        QTemporaryDir folder;
        const auto seed = static_cast<std::uint64_t>(fromEnvironment("VORN_STORM_SEED", 2026));
        const int events = fromEnvironment("VORN_STORM_EVENTS", 4000);
        vorn::testing::WindowFixture<StormPlatform> m(static_cast<unsigned>(seed));
        m.platform.random.seed(seed);
        m.platform.folder = folder.path();
        QVERIFY(m.start(true));

        // Each event is sent from a timer that schedules the next one first, so that the
        // storm goes on inside a context menu's or dialog's own event loop as well. Sending an
        // event runs the event loop too: the next one waits until it has been delivered,
        // unless a menu or dialog waits for it.
        Storm storm(seed, fromEnvironment("VORN_STORM_LOG", 0) != 0);
        QEventLoop stormOver;
        const int stormLevel = QThread::currentThread()->loopLevel() + 1;
        // Once the storm is over, menus and dialogs are closed and a drag of text, which has
        // an event loop of its own, is ended, also one that a text box starts a moment later.
        QTimer unwinder;
        unwinder.setInterval(10);
        connect(&unwinder, &QTimer::timeout, this, [&] {
            closePopupsAndDialogs();
            if (QThread::currentThread()->loopLevel() > stormLevel) {
                endDrag(m.window.windowHandle());
            }
        });
        int sent = 0;
        std::vector<int> sendingAtLevel;  // the event loop levels of the events being sent
        std::function<void()> step = [&] {
            const int level = QThread::currentThread()->loopLevel();
            if (!sendingAtLevel.empty() &&
                (level <= sendingAtLevel.back() || sendingAtLevel.size() > kDeepestMenu)) {
                if (level > sendingAtLevel.back()) {
                    closePopupsAndDialogs();
                }
                QTimer::singleShot(1, &stormOver, step);
                return;
            }
            if (sent == events) {
                unwinder.start();
                stormOver.quit();
                return;
            }
            ++sent;
            QTimer::singleShot(0, &stormOver, step);
            sendingAtLevel.push_back(level);
            storm.next();
            sendingAtLevel.pop_back();
            if (!m.window.isVisible()) {  // closed after a successful save: open it again
                m.window.show();
            }
        };
        QTimer::singleShot(0, &stormOver, step);
        stormOver.exec();
        unwinder.stop();
        closePopupsAndDialogs();

        // Still alive and still working: Clear recalculates and the window shows it (a cell
        // editor left open with a refused entry would keep a command from running).
        QCOMPARE(sent, events);
        const unsigned long projections = m.trends.projectionCount();
        m.trends.mnuClear_Click();
        m.view()->refresh();
        QVERIFY(m.trends.projectionCount() > projections);
        QVERIFY(!m.window.grab().isNull());
        qInfo("%d events with seed %llu", events, static_cast<unsigned long long>(seed));
    }

  private:
    static constexpr std::size_t kDeepestMenu = 4;  // menus opened from menus before all are closed

    static void endDrag(QWindow* fallback) {
        QWindow* window = QGuiApplication::focusWindow();
        window = window != nullptr ? window : fallback;
        if (window != nullptr) {
            QTest::simulateEvent(window, true, Qt::Key_Escape, {}, {}, false);
            QTest::simulateEvent(window, false, Qt::Key_Escape, {}, {}, false);
        }
        if (fallback != nullptr) {
            QTest::mouseRelease(fallback, Qt::LeftButton, {}, QPoint(1, 1));
        }
    }

    static void closePopupsAndDialogs() {
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
        while (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    }
};

QTEST_MAIN(StormTest)
#include "storm_test.moc"
