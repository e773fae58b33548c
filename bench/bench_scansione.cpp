// Figures for switch scanning on the real menu window: how evenly the automatic highlight moves,
// and how soon a switch release is acted on and painted.

#include "TestEnv.h"
#include "core/ColorButton.h"
#include "app/Main.h"
#include "menu/FormMenu.h"
#include "scanning/ScanBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTest>
#include <QTextToSpeech>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Notes when a button is painted in the highlight colour.
class PaintWatch : public QObject
{
public:
    PaintWatch(FormMenu *menu, const QColor &highlight, QElapsedTimer &clock)
        : m_menu(menu), m_highlight(highlight), m_clock(clock)
    {
        for (ColorButton *b : std::as_const(menu->Command1))
            b->installEventFilter(this);
    }
    QList<qint64> times; // nanoseconds, one per newly lit button
    int lastLit = -1;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            auto *b = static_cast<ColorButton *>(o);
            const int i = int(m_menu->Command1.indexOf(b));
            if (b->sfondo() == m_highlight && i != lastLit) {
                lastLit = i;
                times.append(m_clock.nsecsElapsed());
            }
        }
        return false;
    }

private:
    FormMenu *m_menu;
    QColor m_highlight;
    QElapsedTimer &m_clock;
};

FormMenu *openMenu(TestEnv &env, int mode, int speed)
{
    env.state->profilo.ModoInput = qint16(mode);
    env.state->profilo.VelocitaScansione = qint16(speed);
    RegistraFinestre(*env.state);
    auto *menu = env.windows->get<FormMenu>(QStringLiteral("FormMenu"));
    menu->show();
    if (!QTest::qWaitForWindowExposed(menu))
        std::fprintf(stderr, "the menu was not shown\n");
    return menu;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();

    {
        // Mode 2 at one step per 250 ms over 60 steps, the first choice lit twice as long.
        TestEnv env;
        env.state->accesso.timing.firstItemPercent = 200;
        FormMenu *menu = openMenu(env, 2, 1);
        PaintWatch watch(menu, QColor(255, 0, 0), clock);
        QList<int> lit;
        while (watch.times.size() < 61) {
            const int before = int(watch.times.size());
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            if (watch.times.size() > before)
                lit.append(watch.lastLit);
        }
        double worst = 0;
        for (int i = 1; i < watch.times.size(); ++i) {
            const double step = (watch.times[i] - watch.times[i - 1]) / 1e6;
            const double expected = lit.value(i - 1) == 0 ? 500.0 : 250.0;
            worst = std::max(worst, std::abs(step - expected));
        }
        std::printf("Automatic scanning, 250 ms steps (500 ms on the first choice) over 60 steps: "
                    "worst deviation %.2f ms\n", worst);
    }
    for (const bool filters : {false, true}) {
        // Mode 1: a space release moves the highlight; time from the release to the paint, with
        // no timing rules and with acceptance and repeat guard on (presses spaced to pass them).
        TestEnv env;
        if (filters) {
            env.state->accesso.timing.acceptanceMs = 100;
            env.state->accesso.timing.repeatGuardMs = 200;
        }
        FormMenu *menu = openMenu(env, 1, 4);
        PaintWatch watch(menu, QColor(255, 0, 0), clock);
        QList<double> latencies;
        quint64 ms = 1000;
        for (int i = 0; i < 50; ++i) {
            const int before = int(watch.times.size());
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            press.setTimestamp(ms);
            QCoreApplication::sendEvent(menu->PictureScansioneManuale, &press);
            ms += 150;
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            release.setTimestamp(ms);
            ms += 300;
            const qint64 t0 = clock.nsecsElapsed();
            QCoreApplication::sendEvent(menu->PictureScansioneManuale, &release);
            while (watch.times.size() == before)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            latencies.append((watch.times.last() - t0) / 1e6);
        }
        std::sort(latencies.begin(), latencies.end());
        std::printf("Switch release to highlight painted (50 presses, timing rules %s): median %.3f ms, "
                    "worst %.3f ms\n",
                    filters ? "on" : "off", latencies[latencies.size() / 2], latencies.last());
    }
    {
        // From asking to speak to the speech engine speaking (or the figure that none spoke).
        QTextToSpeech tts(QTextToSpeech::availableEngines().contains(QStringLiteral("speechd"))
                              ? QStringLiteral("speechd") : QString());
        QElapsedTimer t;
        bool spoke = false;
        QObject::connect(&tts, &QTextToSpeech::stateChanged, [&](QTextToSpeech::State s) {
            if (s == QTextToSpeech::Speaking && !spoke) {
                spoke = true;
                std::printf("Speech: asked to speaking in %.1f ms\n", t.nsecsElapsed() / 1e6);
            }
        });
        t.start();
        tts.say(QStringLiteral("Vero"));
        while (!spoke && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (!spoke)
            std::printf("Speech: no engine started speaking within 5 s (no voice or sound device here)\n");
    }
    return 0;
}
