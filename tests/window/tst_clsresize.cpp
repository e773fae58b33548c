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

// Counts the window's repaints: one update request is one pass of painting and flushing.
class RepaintCounter final : public QObject
{
public:
    int requests = 0;
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            ++requests;
        else if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

std::unique_ptr<QWidget> makeWindow(int width, int height)
{
    auto form = std::make_unique<QWidget>();
    form->resize(width, height);
    return form;
}

QPushButton *addButton(QWidget *parent, const QRect &geometry)
{
    auto *button = new QPushButton(QStringLiteral("x"), parent);
    button->setGeometry(geometry);
    return button;
}

// Binds the window, records it at its current size, resizes it and runs one pass.
void recordThenResize(clsResize &resizer, QWidget *form, const QSize &size)
{
    resizer.setSourceForm(form);
    resizer.ResizeControls();
    form->resize(size);
    resizer.ResizeControls();
}

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
    void tagRules_data();
    void tagRules();
    void linePaintsBetweenItsEnds();
    void firstPassOnlyRecords();
    void windowWithoutControls();
    void noDrift();
    void minimisedWindowUntouched();
    void screenFraction_data();
    void screenFraction();
    void sizeFormToScreen_data();
    void sizeFormToScreen();
    void deletedControlSkipped();
    void deletedWindow();
    void whichChildrenAreControls();
    void rebindingDropsOldRecords();
    void zeroSizedReference();
    void repaintOncePerPass_data();
    void repaintOncePerPass();
};

// A misread tag scales what should keep its size (or the reverse) and breaks a window's layout;
// lines must have their end points scaled by the right ratios, not be stretched as boxes.
void TestClsResize::tagRules_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QLine>("line");

    // Designed at 400x300 and resized to 800x900: x doubles, y triples.
    QTest::newRow("no tag") << QString() << QRect(80, 90, 160, 180) << QLine(20, 60, 60, 120);
    QTest::newRow("@L,T moves only") << "@L,T" << QRect(80, 90, 80, 60) << QLine(20, 60, 30, 40);
    QTest::newRow("@W width only") << "@W" << QRect(40, 30, 160, 60) << QLine(10, 20, 60, 40);
    QTest::newRow("@ later in the tag")
        << "LT@" << QRect(80, 90, 160, 180) << QLine(20, 60, 60, 120);
    QTest::newRow("letters in any order")
        << "@HWTL" << QRect(80, 90, 160, 180) << QLine(20, 60, 60, 120);
    QTest::newRow("@ alone scales nothing")
        << "@" << QRect(40, 30, 80, 60) << QLine(10, 20, 30, 40);
    QTest::newRow("lower case, inside words")
        << "@height" << QRect(40, 90, 80, 180) << QLine(10, 60, 30, 120);
}

void TestClsResize::tagRules()
{
    QFETCH(QString, tag);
    QFETCH(QRect, box);
    QFETCH(QLine, line);

    auto form = makeWindow(400, 300);
    QPushButton *button = addButton(form.get(), QRect(40, 30, 80, 60));
    auto *lineControl = new LineControl(10, 20, 30, 40, form.get());
    if (!tag.isNull()) {
        button->setProperty("Tag", tag);
        lineControl->setProperty("Tag", tag);
    }
    clsResize resizer;
    recordThenResize(resizer, form.get(), QSize(800, 900));
    QCOMPARE(button->geometry(), box);
    QCOMPARE(endPoints(lineControl), line);
}

// A line drawn at the wrong offset, or clipped away by its own box, would not show.
void TestClsResize::linePaintsBetweenItsEnds()
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
void TestClsResize::firstPassOnlyRecords()
{
    auto form = makeWindow(400, 300);
    QPushButton *button = addButton(form.get(), QRect(40, 30, 80, 60));
    clsResize resizer;
    resizer.setSourceForm(form.get());
    QCOMPARE(resizer.ControlCount(), 0);
    form->resize(800, 600);
    resizer.ResizeControls();
    QCOMPARE(button->geometry(), QRect(40, 30, 80, 60));
    QCOMPARE(resizer.ControlCount(), 1);
    // The reference is the size at recording, so halving the window halves the control.
    form->resize(400, 300);
    resizer.ResizeControls();
    QCOMPARE(button->geometry(), QRect(20, 15, 40, 30));
}

// A window holding only a timer has nothing to place and must not fail.
void TestClsResize::windowWithoutControls()
{
    auto form = makeWindow(400, 300);
    new QTimer(form.get());
    clsResize resizer;
    recordThenResize(resizer, form.get(), QSize(800, 600));
    resizer.SizeFormToScreen(75);
    resizer.ResizeControls();
    QCOMPARE(resizer.ControlCount(), 0);
    QVERIFY(form->updatesEnabled());
}

// Scaling from current positions would accumulate rounding and creep with every resize.
void TestClsResize::noDrift()
{
    const QList<QRect> design = {QRect(37, 23, 71, 19), QRect(3, 299, 1, 1),
                                 QRect(211, 5, 187, 277), QRect(0, 0, 13, 7)};
    std::unique_ptr<QWidget> forms[2];
    clsResize resizers[2];
    QList<QRect> placements[2];
    for (int f = 0; f < 2; ++f) {
        forms[f] = makeWindow(400, 300);
        for (const QRect &r : design)
            addButton(forms[f].get(), r);
        new LineControl(7, 11, 393, 289, forms[f].get());
        // The first window is resized once, the second a hundred times to end at the same size.
        recordThenResize(resizers[f], forms[f].get(), QSize(1013, 771));
        for (int i = 0; f == 1 && i < 100; ++i) {
            forms[f]->resize(i % 2 ? QSize(1013, 771) : QSize(333, 217));
            resizers[f].ResizeControls();
        }
        for (const QObject *child : forms[f]->children())
            placements[f] << static_cast<const QWidget *>(child)->geometry();
    }
    QCOMPARE(placements[1], placements[0]);

    forms[1]->resize(400, 300);
    resizers[1].ResizeControls();
    for (int i = 0; i < design.size(); ++i)
        QCOMPARE(static_cast<QWidget *>(forms[1]->children().at(i))->geometry(), design.at(i));
}

// Scaling a minimised window would squash every control and lose the layout on restore.
void TestClsResize::minimisedWindowUntouched()
{
    auto form = makeWindow(400, 300);
    QPushButton *button = addButton(form.get(), QRect(40, 30, 80, 60));
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    form->setWindowState(Qt::WindowMinimized);
    QVERIFY(form->isMinimized());
    form->resize(800, 600);
    resizer.ResizeControls();
    QCOMPARE(button->geometry(), QRect(40, 30, 80, 60));

    form->setWindowState(Qt::WindowNoState);
    resizer.ResizeControls();
    QCOMPARE(button->geometry(), QRect(80, 60, 160, 120));
}

// Wrong arithmetic puts the window off centre or at the wrong size.
void TestClsResize::screenFraction_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<int>("percent");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("75% of 1024x768") << QRect(0, 0, 1024, 768) << 75 << QRect(128, 96, 768, 576);
    QTest::newRow("sizes truncate") << QRect(0, 0, 1366, 767) << 75 << QRect(171, 96, 1024, 575);
    QTest::newRow("whole screen") << QRect(0, 0, 1920, 1080) << 100 << QRect(0, 0, 1920, 1080);
    QTest::newRow("second screen") << QRect(1024, 0, 1024, 768) << 75 << QRect(1152, 96, 768, 576);
    QTest::newRow("largest percent")
        << QRect(0, 0, 1000, 800) << 255 << QRect(-775, -620, 2550, 2040);
}

void TestClsResize::screenFraction()
{
    QFETCH(QRect, screen);
    QFETCH(int, percent);
    QFETCH(QRect, expected);
    QCOMPARE(clsResize::screenFraction(screen, quint8(percent)), expected);
}

// The window must land at 75% of its real screen, frame included once a shown window's frame is
// known (as it was for the window's size at design), and its controls must follow it.
void TestClsResize::sizeFormToScreen_data()
{
    QTest::addColumn<bool>("shown");
    QTest::newRow("hidden") << false;
    QTest::newRow("shown") << true;
}

void TestClsResize::sizeFormToScreen()
{
    QFETCH(bool, shown);
    auto form = makeWindow(400, 300);
    QPushButton *button = addButton(form.get(), QRect(40, 30, 80, 60));
    if (shown) {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.SizeFormToScreen(75);
    QTRY_COMPARE(form->frameGeometry(), clsResize::screenFraction(form->screen()->geometry(), 75));
    const double rx = form->width() / 400.0;
    const double ry = form->height() / 300.0;
    QCOMPARE(button->geometry(),
             QRect(qRound(40 * rx), qRound(30 * ry), qRound(80 * rx), qRound(60 * ry)));
}

// A control destroyed after recording must be skipped, not dereferenced.
void TestClsResize::deletedControlSkipped()
{
    auto form = makeWindow(400, 300);
    QPushButton *first = addButton(form.get(), QRect(40, 30, 80, 60));
    QPushButton *gone = addButton(form.get(), QRect(0, 0, 10, 10));
    QPushButton *last = addButton(form.get(), QRect(100, 100, 20, 20));
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    delete gone;
    form->resize(800, 600);
    resizer.ResizeControls();
    QCOMPARE(first->geometry(), QRect(80, 60, 160, 120));
    QCOMPARE(last->geometry(), QRect(200, 200, 40, 40));
}

// The resizer outlives its window when a window unloads before the next one replaces it.
void TestClsResize::deletedWindow()
{
    auto form = makeWindow(400, 300);
    addButton(form.get(), QRect(40, 30, 80, 60));
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    form.reset();
    QCOMPARE(resizer.SourceForm(), nullptr);
    resizer.ResizeControls();
    resizer.SizeFormToScreen(75);
    resizer.ReInitialise();
}

// Controls inside frames and group boxes (shown or not) must scale with the window, relative to
// their container; scaling a composite widget's own parts (a spin box's editor) or what a layout
// places would break their inner layout.
void TestClsResize::whichChildrenAreControls()
{
    auto form = makeWindow(400, 300);
    auto *frame = new QFrame(form.get());
    frame->setGeometry(20, 20, 200, 100);
    auto *group = new QGroupBox(QStringLiteral("g"), frame);
    group->setGeometry(10, 10, 150, 80);
    auto *inner = addButton(group, QRect(5, 20, 50, 10));
    auto *line = new LineControl(0, 5, 100, 5, frame);
    auto *hidden = new QWidget(form.get());
    hidden->setGeometry(300, 200, 50, 50);
    auto *insideHidden = addButton(hidden, QRect(10, 10, 20, 20));
    hidden->hide();
    auto *spin = new QSpinBox(form.get());
    spin->setGeometry(10, 10, 100, 30);
    auto *laidOut = new QWidget(form.get());
    laidOut->setGeometry(200, 10, 100, 100);
    (new QHBoxLayout(laidOut))->addWidget(new QLabel(QStringLiteral("l"), laidOut));

    clsResize resizer;
    recordThenResize(resizer, form.get(), QSize(800, 600));
    QCOMPARE(resizer.ControlCount(), 8);
    QCOMPARE(frame->geometry(), QRect(40, 40, 400, 200));
    QCOMPARE(group->geometry(), QRect(20, 20, 300, 160));
    QCOMPARE(inner->geometry(), QRect(10, 40, 100, 20));
    QCOMPARE(endPoints(line), QLine(0, 10, 200, 10));
    QCOMPARE(hidden->geometry(), QRect(600, 400, 100, 100));
    QCOMPARE(insideHidden->geometry(), QRect(20, 20, 40, 40));
    QCOMPARE(spin->geometry(), QRect(20, 20, 200, 60));
    QCOMPARE(laidOut->geometry(), QRect(400, 20, 200, 200));
}

// Records of a previous window scaled with another window's ratios would move foreign controls.
void TestClsResize::rebindingDropsOldRecords()
{
    auto first = makeWindow(400, 300);
    QPushButton *old = addButton(first.get(), QRect(40, 30, 80, 60));
    auto second = makeWindow(200, 100);
    QPushButton *fresh = addButton(second.get(), QRect(20, 10, 40, 20));
    clsResize resizer;
    resizer.setSourceForm(first.get());
    resizer.ResizeControls();
    recordThenResize(resizer, second.get(), QSize(400, 200));
    QCOMPARE(old->geometry(), QRect(40, 30, 80, 60));
    QCOMPARE(fresh->geometry(), QRect(40, 20, 80, 40));
}

// A window recorded at no size would divide by zero and throw every control out of reach.
void TestClsResize::zeroSizedReference()
{
    auto form = makeWindow(0, 0);
    QPushButton *button = addButton(form.get(), QRect(40, 30, 80, 60));
    clsResize resizer;
    recordThenResize(resizer, form.get(), QSize(800, 600));
    QCOMPARE(button->geometry(), QRect(40, 30, 80, 60));
    QVERIFY(form->updatesEnabled());

    resizer.ReInitialise();
    form->resize(1600, 1200);
    resizer.ResizeControls();
    QCOMPARE(button->geometry(), QRect(80, 60, 160, 120));
}

// A pass that leaves the window frozen would stop it from ever repainting; one that lifts a
// freeze held by someone else would repaint in the middle of their work.
void TestClsResize::repaintOncePerPass_data()
{
    QTest::addColumn<bool>("frozenBefore");
    QTest::newRow("window painting") << false;
    QTest::newRow("window already frozen") << true;
}

void TestClsResize::repaintOncePerPass()
{
    QFETCH(bool, frozenBefore);

    auto form = makeWindow(400, 300);
    for (int i = 0; i < 30; ++i)
        addButton(form.get(), QRect(10 * i, 8 * i, 30, 20));
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->resize(600, 450);
    QCoreApplication::processEvents();

    RepaintCounter counter;
    form->installEventFilter(&counter);
    form->setUpdatesEnabled(!frozenBefore);
    resizer.ResizeControls();
    QCOMPARE(form->updatesEnabled(), !frozenBefore);
    QCoreApplication::processEvents();
    QCOMPARE(counter.requests, frozenBefore ? 0 : 1);
    QCOMPARE(counter.paints > 0, !frozenBefore);
    QCOMPARE(form->findChildren<QPushButton *>().constLast()->geometry(), QRect(435, 348, 45, 30));
}

QTEST_MAIN(TestClsResize)
#include "tst_clsresize.moc"
