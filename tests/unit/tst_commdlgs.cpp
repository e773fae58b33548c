// Font sizes come back from the font dialog in tenths of a point and are kept whole.

#include "profile/CommDlgs.h"

#include "QtWarnings.h"

#include <QTest>

class TestCommDlgs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    void puntiInteri_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("whole");
        QTest::newRow("10.5 down to even") << 10.5 << 10;
        QTest::newRow("11.5 up to even") << 11.5 << 12;
        QTest::newRow("above a half") << 10.6 << 11;
        QTest::newRow("hundredths go to the nearest tenth first") << 10.46 << 10;
    }
    // Halves go to the even size, as the dialog's sizes always did.
    void puntiInteri()
    {
        QFETCH(double, size);
        QFETCH(int, whole);
        QCOMPARE(PuntiInteri(size), whole);
    }
};

QTEST_APPLESS_MAIN(TestCommDlgs)
#include "tst_commdlgs.moc"
