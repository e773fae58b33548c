#include "QtWarnings.h"
#include "layout/LineControl.h"
#include "layout/clsResize.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A window designed at 400x300 with one button at (40, 30, 80, 60), and its resizer.
struct Form
{
    std::unique_ptr<QWidget> w = std::make_unique<QWidget>();
    clsResize resizer;
    QPushButton *button;

    explicit Form(const QSize &design = QSize(400, 300))
    {
        w->resize(design);
        button = add(w.get(), QRect(40, 30, 80, 60));
    }
    static QPushButton *add(QWidget *parent, const QRect &geometry)
    {
        auto *b = new QPushButton(QStringLiteral("x"), parent);
        b->setGeometry(geometry);
        return b;
    }
    // Binds the window and records it at its current size.
    void record()
    {
        resizer.setSourceForm(w.get());
        resizer.ResizeControls();
    }
    void resize(const QSize &size)
    {
        w->resize(size);
        resizer.ResizeControls();
    }
};

QLine endPoints(const LineControl *line)
{
    return QLine(line->X1(), line->Y1(), line->X2(), line->Y2());
}

} // namespace

class TestClsResize : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // A misread tag scales what should keep its size (or the reverse) and breaks a window's
    // layout; lines must have their end points scaled by the right ratios, not be stretched as
    // boxes.
    void tagRules_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QLine>("line");
        // Resized to 800x900: x doubles, y triples.
        QTest::newRow("no tag") << QString() << QRect(80, 90, 160, 180) << QLine(20, 60, 60, 120);
        QTest::newRow("@L,T moves only") << "@L,T" << QRect(80, 90, 80, 60) << QLine(20, 60, 30, 40);
        QTest::newRow("@W width only") << "@W" << QRect(40, 30, 160, 60) << QLine(10, 20, 60, 40);
        QTest::newRow("@ later in the tag") << "LT@" << QRect(80, 90, 160, 180) << QLine(20, 60, 60, 120);
        QTest::newRow("letters in any order") << "@HWTL" << QRect(80, 90, 160, 180) << QLine(20, 60, 60, 120);
        QTest::newRow("@ alone scales nothing") << "@" << QRect(40, 30, 80, 60) << QLine(10, 20, 30, 40);
        QTest::newRow("lower case, inside words") << "@height" << QRect(40, 90, 80, 180) << QLine(10, 60, 30, 120);
    }
    void tagRules()
    {
        QFETCH(QString, tag);
        QFETCH(QRect, box);
        QFETCH(QLine, line);
        Form f;
        auto *lineControl = new LineControl(10, 20, 30, 40, f.w.get());
        if (!tag.isNull()) {
            f.button->setProperty("Tag", tag);
            lineControl->setProperty("Tag", tag);
        }
        f.record();
        f.resize(QSize(800, 900));
        QCOMPARE(f.button->geometry(), box);
        QCOMPARE(endPoints(lineControl), line);
    }

    // A line drawn at the wrong offset, or clipped away by its own box, would not show.
    void linePaintsBetweenItsEnds()
    {
        QWidget form;
        form.resize(100, 100);
        form.setStyleSheet(QStringLiteral("background: white"));
        (new LineControl(10, 10, 50, 10, &form))->setBorderColor(Qt::red);
        (new LineControl(70, 20, 70, 80, &form))->setBorderColor(Qt::blue);
        const QImage image = form.grab().toImage();
        QCOMPARE(image.pixelColor(30, 10), QColor(Qt::red));
        QCOMPARE(image.pixelColor(30, 13), QColor(Qt::white));
        QCOMPARE(image.pixelColor(70, 50), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(73, 50), QColor(Qt::white));
    }

    // The design size must be taken at the first call; taken later, every ratio would be off.
    void firstPassOnlyRecords()
    {
        Form f;
        f.resizer.setSourceForm(f.w.get());
        QCOMPARE(f.resizer.ControlCount(), 0);
        f.resize(QSize(800, 600));
        QCOMPARE(f.button->geometry(), QRect(40, 30, 80, 60));
        QCOMPARE(f.resizer.ControlCount(), 1);
        // The reference is the size at recording, so halving the window halves the control.
        f.resize(QSize(400, 300));
        QCOMPARE(f.button->geometry(), QRect(20, 15, 40, 30));
    }

    // Scaling from current positions would accumulate rounding and creep with every resize.
    void noDrift()
    {
        const QList<QRect> design = {QRect(37, 23, 71, 19), QRect(3, 299, 1, 1), QRect(211, 5, 187, 277),
                                     QRect(0, 0, 13, 7)};
        Form forms[2];
        QList<QRect> placements[2];
        for (int i = 0; i < 2; ++i) {
            for (const QRect &r : design)
                Form::add(forms[i].w.get(), r);
            new LineControl(7, 11, 393, 289, forms[i].w.get());
            // The first window is resized once, the second a hundred times to end at the same size.
            forms[i].record();
            forms[i].resize(QSize(1013, 771));
            for (int k = 0; i == 1 && k < 100; ++k)
                forms[i].resize(k % 2 ? QSize(1013, 771) : QSize(333, 217));
            for (const QObject *child : forms[i].w->children())
                placements[i] << static_cast<const QWidget *>(child)->geometry();
        }
        QCOMPARE(placements[1], placements[0]);
        forms[1].resize(QSize(400, 300));
        for (int i = 0; i < design.size(); ++i)
            QCOMPARE(static_cast<QWidget *>(forms[1].w->children().at(i + 1))->geometry(), design.at(i));
    }

    // Scaling a minimised window would squash every control and lose the layout on restore.
    void minimisedWindowUntouched()
    {
        Form f;
        f.record();
        f.w->setWindowState(Qt::WindowMinimized);
        QVERIFY(f.w->isMinimized());
        f.resize(QSize(800, 600));
        QCOMPARE(f.button->geometry(), QRect(40, 30, 80, 60));
        f.w->setWindowState(Qt::WindowNoState);
        f.resizer.ResizeControls();
        QCOMPARE(f.button->geometry(), QRect(80, 60, 160, 120));
    }

    // Wrong arithmetic puts the window off centre or at the wrong size.
    void screenFraction_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("75% of 1024x768") << QRect(0, 0, 1024, 768) << 75 << QRect(128, 96, 768, 576);
        QTest::newRow("sizes truncate") << QRect(0, 0, 1366, 767) << 75 << QRect(171, 96, 1024, 575);
        QTest::newRow("second screen") << QRect(1024, 0, 1024, 768) << 75 << QRect(1152, 96, 768, 576);
        QTest::newRow("largest percent") << QRect(0, 0, 1000, 800) << 255 << QRect(-775, -620, 2550, 2040);
    }
    void screenFraction()
    {
        QFETCH(QRect, screen);
        QFETCH(int, percent);
        QFETCH(QRect, expected);
        QCOMPARE(clsResize::screenFraction(screen, quint8(percent)), expected);
    }

    // The window must land at 75% of its real screen, frame included once a shown window's frame
    // is known (as it was for the window's size at design), and its controls must follow it.
    void sizeFormToScreen_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::newRow("hidden") << false;
        QTest::newRow("shown") << true;
    }
    void sizeFormToScreen()
    {
        QFETCH(bool, shown);
        Form f;
        if (shown) {
            f.w->show();
            QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
        }
        f.resizer.setSourceForm(f.w.get());
        f.resizer.SizeFormToScreen(75);
        QTRY_COMPARE(f.w->frameGeometry(), clsResize::screenFraction(f.w->screen()->geometry(), 75));
        const double rx = f.w->width() / 400.0;
        const double ry = f.w->height() / 300.0;
        QCOMPARE(f.button->geometry(), QRect(qRound(40 * rx), qRound(30 * ry), qRound(80 * rx), qRound(60 * ry)));
    }

    // A control destroyed after recording must be skipped, not dereferenced; the resizer outlives
    // its window when a window unloads before the next one replaces it; a window holding only a
    // timer has nothing to place.
    void nothingToPlace()
    {
        Form f;
        QPushButton *gone = Form::add(f.w.get(), QRect(0, 0, 10, 10));
        QPushButton *last = Form::add(f.w.get(), QRect(100, 100, 20, 20));
        f.record();
        delete gone;
        f.resize(QSize(800, 600));
        QCOMPARE(f.button->geometry(), QRect(80, 60, 160, 120));
        QCOMPARE(last->geometry(), QRect(200, 200, 40, 40));
        f.w.reset();
        QCOMPARE(f.resizer.SourceForm(), nullptr);
        f.resizer.ResizeControls();
        f.resizer.SizeFormToScreen(75);
        f.resizer.ReInitialise();

        QWidget timerOnly;
        timerOnly.resize(400, 300);
        new QTimer(&timerOnly);
        f.resizer.setSourceForm(&timerOnly);
        f.resizer.ResizeControls();
        timerOnly.resize(800, 600);
        f.resizer.ResizeControls();
        f.resizer.SizeFormToScreen(75);
        f.resizer.ResizeControls();
        QCOMPARE(f.resizer.ControlCount(), 0);
        QVERIFY(timerOnly.updatesEnabled());
    }

    // Controls inside frames and group boxes (shown or not) must scale with the window, relative
    // to their container; scaling a composite widget's own parts (a spin box's editor) or what a
    // layout places would break their inner layout.
    void whichChildrenAreControls()
    {
        Form f;
        delete f.button;
        auto *frame = new QFrame(f.w.get());
        frame->setGeometry(20, 20, 200, 100);
        auto *group = new QGroupBox(QStringLiteral("g"), frame);
        group->setGeometry(10, 10, 150, 80);
        auto *inner = Form::add(group, QRect(5, 20, 50, 10));
        auto *line = new LineControl(0, 5, 100, 5, frame);
        auto *hidden = new QWidget(f.w.get());
        hidden->setGeometry(300, 200, 50, 50);
        auto *insideHidden = Form::add(hidden, QRect(10, 10, 20, 20));
        hidden->hide();
        auto *spin = new QSpinBox(f.w.get());
        spin->setGeometry(10, 10, 100, 30);
        auto *laidOut = new QWidget(f.w.get());
        laidOut->setGeometry(200, 10, 100, 100);
        (new QHBoxLayout(laidOut))->addWidget(new QLabel(QStringLiteral("l"), laidOut));

        f.record();
        f.resize(QSize(800, 600));
        QCOMPARE(f.resizer.ControlCount(), 8);
        QCOMPARE(frame->geometry(), QRect(40, 40, 400, 200));
        QCOMPARE(group->geometry(), QRect(20, 20, 300, 160));
        QCOMPARE(inner->geometry(), QRect(10, 40, 100, 20));
        QCOMPARE(endPoints(line), QLine(0, 10, 200, 10));
        QCOMPARE(hidden->geometry(), QRect(600, 400, 100, 100));
        QCOMPARE(insideHidden->geometry(), QRect(20, 20, 40, 40));
        QCOMPARE(spin->geometry(), QRect(20, 20, 200, 60));
        QCOMPARE(laidOut->geometry(), QRect(400, 20, 200, 200));
    }

    // Records of a previous window scaled with another window's ratios would move foreign
    // controls.
    void rebindingDropsOldRecords()
    {
        Form first;
        first.record();
        Form second(QSize(200, 100));
        first.resizer.setSourceForm(second.w.get());
        first.resizer.ResizeControls();
        second.w->resize(400, 200);
        first.resizer.ResizeControls();
        QCOMPARE(first.button->geometry(), QRect(40, 30, 80, 60));
        QCOMPARE(second.button->geometry(), QRect(80, 60, 160, 120));
    }

    // A window recorded at no size would divide by zero and throw every control out of reach.
    void zeroSizedReference()
    {
        Form f(QSize(0, 0));
        f.record();
        f.resize(QSize(800, 600));
        QCOMPARE(f.button->geometry(), QRect(40, 30, 80, 60));
        QVERIFY(f.w->updatesEnabled());
        f.resizer.ReInitialise();
        f.resize(QSize(1600, 1200));
        QCOMPARE(f.button->geometry(), QRect(80, 60, 160, 120));
    }

    // A pass that leaves the window frozen would stop it from ever repainting; one that lifts a
    // freeze held by someone else would repaint in the middle of their work.
    void repaintOncePerPass_data()
    {
        QTest::addColumn<bool>("frozenBefore");
        QTest::newRow("window painting") << false;
        QTest::newRow("window already frozen") << true;
    }
    void repaintOncePerPass()
    {
        QFETCH(bool, frozenBefore);
        Form f;
        for (int i = 0; i < 30; ++i)
            Form::add(f.w.get(), QRect(10 * i, 8 * i, 30, 20));
        f.record();
        f.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
        f.w->resize(600, 450);
        QCoreApplication::processEvents();

        // One update request is one pass of painting and flushing.
        struct Counter : QObject
        {
            int requests = 0, paints = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                requests += e->type() == QEvent::UpdateRequest;
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        f.w->installEventFilter(&counter);
        f.w->setUpdatesEnabled(!frozenBefore);
        f.resizer.ResizeControls();
        QCOMPARE(f.w->updatesEnabled(), !frozenBefore);
        QCoreApplication::processEvents();
        QCOMPARE(counter.requests, frozenBefore ? 0 : 1);
        QCOMPARE(counter.paints > 0, !frozenBefore);
        QCOMPARE(f.w->findChildren<QPushButton *>().constLast()->geometry(), QRect(435, 348, 45, 30));
    }
};

QTEST_MAIN(TestClsResize)
#include "tst_clsresize.moc"
