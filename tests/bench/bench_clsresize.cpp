// One proportional-resizing pass over a window of 300 controls (buttons, labels, lines, and
// controls inside frames), as done on every resize of a main window. Goal: under 1 ms a pass.
#include "layout/LineControl.h"
#include "layout/clsResize.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

constexpr int controlCount = 300;
const QSize designSize(1024, 768);
const QSize sizes[2] = {QSize(1280, 960), QSize(800, 600)};

std::unique_ptr<QWidget> makeWindow()
{
    auto form = std::make_unique<QWidget>();
    form->resize(designSize);
    int made = 0;
    // Ten frames of ten controls each, the rest directly on the window.
    for (int f = 0; f < 10; ++f, ++made) {
        auto *frame = new QFrame(form.get());
        frame->setFrameShape(QFrame::Box);
        frame->setGeometry(10 + 100 * (f % 5), 400 + 180 * (f / 5), 95, 170);
        for (int i = 0; i < 9; ++i, ++made) {
            auto *label = new QLabel(QStringLiteral("Label %1").arg(i), frame);
            label->setGeometry(5, 5 + 18 * i, 85, 16);
        }
    }
    for (int i = 0; made < controlCount; ++i, ++made) {
        const int x = 10 + 50 * (i % 20);
        const int y = 10 + 30 * (i / 20);
        if (i % 10 == 9) {
            new LineControl(x, y, x + 40, y + 20, form.get());
        } else if (i % 2) {
            auto *label = new QLabel(QStringLiteral("L%1").arg(i), form.get());
            label->setGeometry(x, y, 45, 25);
            if (i % 3 == 0)
                label->setProperty("Tag", QStringLiteral("@L,T"));
        } else {
            auto *button = new QPushButton(QStringLiteral("B%1").arg(i), form.get());
            button->setGeometry(x, y, 45, 25);
        }
    }
    return form;
}

} // namespace

class BenchClsResize : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void passShown();
    void resizeAndPass();
    void passHidden();
    void passAndRepaint();
    void cleanupTestCase();

private:
    void report(const char *what, qint64 nanoseconds, int passes);

    std::unique_ptr<QWidget> m_form;
    clsResize m_resizer;
};

void BenchClsResize::initTestCase()
{
    m_form = makeWindow();
    m_resizer.setSourceForm(m_form.get());
    m_resizer.ResizeControls();
    QCOMPARE(m_resizer.ControlCount(), controlCount);
}

void BenchClsResize::report(const char *what, qint64 nanoseconds, int passes)
{
    qInfo("%s: %.1f us per pass over %d controls (%d passes)", what,
          double(nanoseconds) / passes / 1000.0, controlCount, passes);
}

// Shown window: moving a visible widget sends its move and resize events at once.
void BenchClsResize::passShown()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    constexpr int passes = 2000;
    qint64 total = 0;
    QElapsedTimer timer;
    for (int i = 0; i < passes; ++i) {
        m_form->resize(sizes[i % 2]);
        timer.start();
        m_resizer.ResizeControls();
        total += timer.nsecsElapsed();
    }
    report("shown window, pass only", total, passes);
}

// The same through QtTest's own timing; each iteration also resizes the window.
void BenchClsResize::resizeAndPass()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    int i = 0;
    QBENCHMARK
    {
        m_form->resize(sizes[++i % 2]);
        m_resizer.ResizeControls();
    }
}

// Hidden window: the state a window is in when its load handler sizes it to the screen.
void BenchClsResize::passHidden()
{
    m_form->hide();
    constexpr int passes = 2000;
    qint64 total = 0;
    QElapsedTimer timer;
    for (int i = 0; i < passes; ++i) {
        m_form->resize(sizes[i % 2]);
        timer.start();
        m_resizer.ResizeControls();
        total += timer.nsecsElapsed();
    }
    report("hidden window, pass only", total, passes);
}

// The pass followed by the one repaint it causes, for scale.
void BenchClsResize::passAndRepaint()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    constexpr int passes = 100;
    qint64 total = 0;
    QElapsedTimer timer;
    for (int i = 0; i < passes; ++i) {
        m_form->resize(sizes[i % 2]);
        QCoreApplication::processEvents();
        timer.start();
        m_resizer.ResizeControls();
        QCoreApplication::processEvents();
        total += timer.nsecsElapsed();
    }
    report("shown window, pass and repaint", total, passes);
}

void BenchClsResize::cleanupTestCase()
{
    m_form.reset();
}

QTEST_MAIN(BenchClsResize)
#include "bench_clsresize.moc"
