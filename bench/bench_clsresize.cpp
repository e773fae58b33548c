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
    void pass_data();
    void pass();
};

void BenchClsResize::pass_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("repaint");
    QTest::addColumn<int>("passes");
    // Hidden: the state a window is in when its load handler sizes it to the screen. Shown:
    // moving a visible widget sends its move and resize events at once. The repaint the pass
    // causes is timed too in the last row, for scale.
    QTest::newRow("hidden window, pass only") << false << false << 2000;
    QTest::newRow("shown window, pass only") << true << false << 2000;
    QTest::newRow("shown window, pass and repaint") << true << true << 100;
}

void BenchClsResize::pass()
{
    QFETCH(bool, shown);
    QFETCH(bool, repaint);
    QFETCH(int, passes);
    const auto form = makeWindow();
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    QCOMPARE(resizer.ControlCount(), controlCount);
    if (shown) {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    qint64 total = 0;
    QElapsedTimer timer;
    for (int i = 0; i < passes; ++i) {
        form->resize(sizes[i % 2]);
        if (repaint)
            QCoreApplication::processEvents();
        timer.start();
        resizer.ResizeControls();
        if (repaint)
            QCoreApplication::processEvents();
        total += timer.nsecsElapsed();
    }
    qInfo("%s: %.1f us per pass over %d controls (%d passes)", QTest::currentDataTag(),
          double(total) / passes / 1000.0, controlCount, passes);
}

QTEST_MAIN(BenchClsResize)
#include "bench_clsresize.moc"
