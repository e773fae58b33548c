// A scroll bar's thumb must read as the thumb: with a thumb lighter than its groove, the log's
// table seemed to scroll backwards.

#include "QtWarnings.h"
#include "platform/ScrollBars.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTest>

class TestScrollBars : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    void thumbDarkerThanGroove()
    {
        showScrollThumbsDark(*qApp);
        QScrollBar bar(Qt::Vertical);
        bar.setRange(0, 300);
        bar.setPageStep(100);
        bar.resize(16, 400);
        const QImage shot = bar.grab().toImage();
        // At the top the thumb fills the first quarter of the track; the rest is groove.
        const int x = shot.width() / 2;
        const int thumb = qGray(shot.pixel(x, shot.height() / 8));
        const int groove = qGray(shot.pixel(x, shot.height() * 3 / 4));
        QVERIFY2(thumb + 40 < groove, qPrintable(QStringLiteral("thumb %1, groove %2").arg(thumb).arg(groove)));
    }
};

QTEST_MAIN(TestScrollBars)
#include "tst_scrollbars.moc"
