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

QPushButton *addButton(QWidget *parent, const QRect &geometry, const QString &tag = QString())
{
    auto *button = new QPushButton(QStringLiteral("x"), parent);
    button->setGeometry(geometry);
    if (!tag.isNull())
        button->setProperty("Tag", tag);
    return button;
}

} // namespace

class TestClsResize : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tagRules_data();
    void tagRules();
    void lineEndPoints_data();
    void lineEndPoints();
    void linePaintsBetweenItsEnds();
    void firstPassOnlyRecords();
    void windowWithoutControls();
    void noDrift();
    void minimisedWindowUntouched();
    void screenFraction_data();
    void screenFraction();
    void sizeFormToScreen();
    void sizeFormToScreenFramed();
    void deletedControlSkipped();
    void deletedWindow();
    void nestedControls();
    void compositeWidgetsKeepTheirParts();
    void rebindingDropsOldRecords();
    void zeroSizedReference();
    void repaintOncePerPass_data();
    void repaintOncePerPass();
};

// A misread tag scales what should keep its size (or the reverse) and breaks a window's layout.
void TestClsResize::tagRules_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("width");
    QTest::addColumn<bool>("height");

    QTest::newRow("no tag") << QString() << true << true << true << true;
    QTest::newRow("empty") << QString("") << true << true << true << true;
    QTest::newRow("@L,T moves only") << "@L,T" << true << true << false << false;
    QTest::newRow("lower case") << "@l,t" << true << true << false << false;
    QTest::newRow("@W width only") << "@W" << false << false << true << false;
    QTest::newRow("no @ scales all") << "xyz" << true << true << true << true;
    QTest::newRow("@ later in the tag") << "LT@" << true << true << true << true;
    QTest::newRow("letters in any order") << "@HWTL" << true << true << true << true;
    QTest::newRow("@ alone scales nothing") << "@" << false << false << false << false;
    QTest::newRow("letters inside words") << "@height" << false << true << false << true;
}

void TestClsResize::tagRules()
{
    QFETCH(QString, tag);
    QFETCH(bool, left);
    QFETCH(bool, top);
    QFETCH(bool, width);
    QFETCH(bool, height);

    auto form = makeWindow(400, 300);
    QPushButton *button = addButton(form.get(), QRect(40, 30, 80, 60), tag);
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    form->resize(800, 900);
    resizer.ResizeControls();

    const QRect expected(left ? 80 : 40, top ? 90 : 30, width ? 160 : 80, height ? 180 : 60);
    QCOMPARE(button->geometry(), expected);
}

// Lines must scale their end points by the right ratios, not be stretched as boxes.
void TestClsResize::lineEndPoints_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QLine>("expected");

    QTest::newRow("all") << QString() << QLine(20, 60, 60, 120);
    QTest::newRow("@L,T first end only") << "@L,T" << QLine(20, 60, 30, 40);
    QTest::newRow("@W,H second end only") << "@W,H" << QLine(10, 20, 60, 120);
    QTest::newRow("@ keeps the line") << "@" << QLine(10, 20, 30, 40);
}

void TestClsResize::lineEndPoints()
{
    QFETCH(QString, tag);
    QFETCH(QLine, expected);

    auto form = makeWindow(400, 300);
    auto *line = new LineControl(10, 20, 30, 40, form.get());
    if (!tag.isNull())
        line->setProperty("Tag", tag);
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    form->resize(800, 900);
    resizer.ResizeControls();

    QCOMPARE(QLine(line->X1(), line->Y1(), line->X2(), line->Y2()), expected);
}

// A line drawn at the wrong offset, or clipped away by its own box, would not show.
void TestClsResize::linePaintsBetweenItsEnds()
{
    QWidget form;
    form.resize(100, 100);
    form.setAutoFillBackground(true);
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, Qt::white);
    form.setPalette(palette);
    auto *horizontal = new LineControl(10, 10, 50, 10, &form);
    horizontal->setBorderColor(Qt::red);
    auto *vertical = new LineControl(70, 20, 70, 80, &form);
    vertical->setBorderColor(Qt::blue);

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
    auto *timer = new QTimer(form.get());
    timer->setObjectName(QStringLiteral("Timer1"));
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    form->resize(800, 600);
    resizer.ResizeControls();
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
    auto build = [&](std::unique_ptr<QWidget> &form, clsResize &resizer) {
        form = makeWindow(400, 300);
        for (const QRect &r : design)
            addButton(form.get(), r);
        new LineControl(7, 11, 393, 289, form.get());
        resizer.setSourceForm(form.get());
        resizer.ResizeControls();
    };
    auto placements = [](const QWidget *form) {
        QList<QRect> out;
        for (const QObject *child : form->children())
            out << static_cast<const QWidget *>(child)->geometry();
        return out;
    };

    std::unique_ptr<QWidget> once;
    clsResize onceResizer;
    build(once, onceResizer);
    once->resize(1013, 771);
    onceResizer.ResizeControls();

    std::unique_ptr<QWidget> often;
    clsResize oftenResizer;
    build(often, oftenResizer);
    for (int i = 0; i < 100; ++i) {
        often->resize(i % 2 ? QSize(1013, 771) : QSize(333, 217));
        oftenResizer.ResizeControls();
    }
    QCOMPARE(often->size(), QSize(1013, 771));
    QCOMPARE(placements(often.get()), placements(once.get()));

    often->resize(400, 300);
    oftenResizer.ResizeControls();
    QCOMPARE(placements(often.get()).mid(0, design.size()), design);
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
    QTest::newRow("75% of 800x600") << QRect(0, 0, 800, 600) << 75 << QRect(100, 75, 600, 450);
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

// The window must land at 75% of its real screen and its controls must follow it.
void TestClsResize::sizeFormToScreen()
{
    auto form = makeWindow(400, 300);
    QPushButton *button = addButton(form.get(), QRect(40, 30, 80, 60));
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.SizeFormToScreen(75);

    const QRect screen = form->screen()->geometry();
    const int h = screen.height() * 75 / 100;
    const int w = screen.width() * 75 / 100;
    QCOMPARE(form->geometry(), QRect(screen.x() + (screen.width() - w) / 2,
                                     screen.y() + (screen.height() - h) / 2, w, h));
    const double rx = w / 400.0;
    const double ry = h / 300.0;
    QCOMPARE(button->geometry(),
             QRect(qRound(40 * rx), qRound(30 * ry), qRound(80 * rx), qRound(60 * ry)));
}

// Once a shown window's frame is known, the frame is part of the screen share, as it was for the
// window's size at design.
void TestClsResize::sizeFormToScreenFramed()
{
    auto form = makeWindow(400, 300);
    addButton(form.get(), QRect(40, 30, 80, 60));
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.SizeFormToScreen(75);
    QTRY_COMPARE(form->frameGeometry(), clsResize::screenFraction(form->screen()->geometry(), 75));
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

// Controls inside frames and group boxes must scale with the window, relative to their container.
void TestClsResize::nestedControls()
{
    auto form = makeWindow(400, 300);
    auto *frame = new QFrame(form.get());
    frame->setGeometry(20, 20, 200, 100);
    auto *group = new QGroupBox(QStringLiteral("g"), frame);
    group->setGeometry(10, 10, 150, 80);
    auto *inner = new QLabel(QStringLiteral("in"), group);
    inner->setGeometry(5, 20, 50, 10);
    auto *line = new LineControl(0, 5, 100, 5, frame);
    auto *hidden = new QWidget(form.get());
    hidden->setGeometry(300, 200, 50, 50);
    auto *insideHidden = addButton(hidden, QRect(10, 10, 20, 20));
    hidden->hide();

    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    QCOMPARE(resizer.ControlCount(), 6);
    form->resize(800, 600);
    resizer.ResizeControls();

    QCOMPARE(frame->geometry(), QRect(40, 40, 400, 200));
    QCOMPARE(group->geometry(), QRect(20, 20, 300, 160));
    QCOMPARE(inner->geometry(), QRect(10, 40, 100, 20));
    QCOMPARE(QLine(line->X1(), line->Y1(), line->X2(), line->Y2()), QLine(0, 10, 200, 10));
    QCOMPARE(hidden->geometry(), QRect(600, 400, 100, 100));
    QCOMPARE(insideHidden->geometry(), QRect(20, 20, 40, 40));
}

// Scaling a composite widget's own parts (a spin box's editor) would break its inner layout.
void TestClsResize::compositeWidgetsKeepTheirParts()
{
    auto form = makeWindow(400, 300);
    auto *spin = new QSpinBox(form.get());
    spin->setGeometry(10, 10, 100, 30);
    auto *laidOut = new QWidget(form.get());
    laidOut->setGeometry(200, 10, 100, 100);
    auto *layout = new QHBoxLayout(laidOut);
    layout->addWidget(new QLabel(QStringLiteral("l"), laidOut));

    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    QCOMPARE(resizer.ControlCount(), 2);
    form->resize(800, 600);
    resizer.ResizeControls();
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

    resizer.setSourceForm(second.get());
    resizer.ResizeControls();
    second->resize(400, 200);
    resizer.ResizeControls();
    QCOMPARE(old->geometry(), QRect(40, 30, 80, 60));
    QCOMPARE(fresh->geometry(), QRect(40, 20, 80, 40));
}

// A window recorded at no size would divide by zero and throw every control out of reach.
void TestClsResize::zeroSizedReference()
{
    auto form = makeWindow(400, 300);
    QPushButton *button = addButton(form.get(), QRect(40, 30, 80, 60));
    form->setMinimumSize(0, 0);
    form->resize(0, 0);
    clsResize resizer;
    resizer.setSourceForm(form.get());
    resizer.ResizeControls();
    form->resize(800, 600);
    resizer.ResizeControls();
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
