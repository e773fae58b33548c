#include "scanning/Scansione.h"

#include "FakeScanFrontend.h"
#include "QtWarnings.h"

#include <QTest>

namespace {

// A switch action: "r:32" release on the manual box, "p:32"/"a:32" press/release on the
// automatic box, "t" a timer tick.
void play(Scansione &s, const QString &events)
{
    for (const QString &e : events.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (e == QLatin1String("t"))
            s.tick();
        else if (e.startsWith(QLatin1String("r:")))
            s.rilascioManuale(e.mid(2).toInt());
        else if (e.startsWith(QLatin1String("p:")))
            s.pressioneAutomatica(e.mid(2).toInt());
        else if (e.startsWith(QLatin1String("a:")))
            s.rilascioAutomatica(e.mid(2).toInt());
    }
}

} // namespace

class TestScansione : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // Key sequences per mode on the menu's 7 targets: where the highlight ends, what is chosen,
    // and the moves and loops since the last choice (what the history keeps of an answer).
    void sequences_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("events");
        QTest::addColumn<int>("highlighted");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("loops");
        QTest::newRow("1: seventh space wraps") << 1 << "r:32 r:32 r:32 r:32 r:32 r:32 r:32" << 0 << QList<int>{} << 7 << 1;
        QTest::newRow("1: enter chooses") << 1 << "r:32 r:32 r:13" << 2 << QList<int>{2} << 0 << 0;
        QTest::newRow("3: left wraps to 6") << 3 << "r:37" << 6 << QList<int>{} << 1 << 1;
        QTest::newRow("3: down is right") << 3 << "r:40 r:39" << 2 << QList<int>{} << 2 << 0;
        QTest::newRow("3: enter chooses") << 3 << "r:37 r:13" << 6 << QList<int>{6} << 0 << 0;
        QTest::newRow("2: full cycle reaches 0") << 2 << "t t t t t t t" << 0 << QList<int>{} << 7 << 1;
        QTest::newRow("2: space before a tick chooses 0") << 2 << "p:32 a:32" << -1 << QList<int>{0} << 0 << 0;
        QTest::newRow("2: release chooses") << 2 << "t t p:32 a:32" << 2 << QList<int>{2} << 0 << 0;
        QTest::newRow("0: keys do nothing") << 0 << "r:32 r:13 p:32 a:32 t" << -1 << QList<int>{} << 0 << 0;
    }
    void sequences()
    {
        QFETCH(int, mode);
        QFETCH(QString, events);
        QFETCH(int, highlighted);
        QFETCH(QList<int>, chosen);
        QFETCH(int, steps);
        QFETCH(int, loops);
        FakeScanFrontend fe(7);
        Scansione s(fe);
        s.prepara(mode, 4);
        play(s, events);
        QCOMPARE(fe.evidenziato(), highlighted);
        QCOMPARE(fe.scelti, chosen);
        QCOMPARE(s.passiDallaScelta(), steps);
        QCOMPARE(s.giriDallaScelta(), loops);
    }

    // Holding the select switch in mode 2 stops the timer; releasing restarts it while the
    // window stays open, not once the choice closed it; a release lost with the focus must not
    // freeze the scanning for good; a speed of 0 or less (a damaged profile) must not spin it.
    void automaticTimer()
    {
        for (const bool closes : {false, true}) {
            FakeScanFrontend fe(7);
            fe.chiudeAllaScelta = closes;
            Scansione s(fe);
            s.prepara(2, 6);
            QCOMPARE(s.timer().interval(), 1500);
            s.pressioneAutomatica(Tasto::Spazio);
            QVERIFY(!s.timer().isActive());
            s.rilascioAutomatica(Tasto::Spazio);
            QCOMPARE(s.timer().isActive(), !closes);
        }
        FakeScanFrontend fe(7);
        Scansione s(fe);
        s.prepara(2, 0);
        QVERIFY(s.timer().interval() >= 250);
        s.prepara(2, -5);
        QVERIFY(s.timer().interval() >= 250);
        s.pressioneAutomatica(Tasto::Spazio);
        s.fuocoPerso();
        QVERIFY(s.timer().isActive());
        QCOMPARE(fe.scelti, QList<int>{});
    }

    // Exercise windows skip targets that cannot be chosen, both ways.
    void disabledTargetsSkipped()
    {
        FakeScanFrontend fe(5);
        fe.disabilitati = {1, 2};
        Scansione s(fe);
        s.prepara(3, 4);
        QCOMPARE(fe.evidenziato(), 0);
        s.rilascioManuale(Tasto::Destra);
        QCOMPARE(fe.evidenziato(), 3);
        s.rilascioManuale(Tasto::Sinistra);
        QCOMPARE(fe.evidenziato(), 0);
    }

    // While parked, neither switches nor ticks move the highlight, and the select switch acts
    // on the parking target; after riprendi() stepping works again.
    void parking()
    {
        FakeScanFrontend fe(3);
        Scansione s(fe);
        s.prepara(1, 4);
        s.parcheggia(2);
        play(s, QStringLiteral("r:32 r:32 t"));
        QCOMPARE(fe.evidenziato(), 2);
        s.rilascioManuale(Tasto::Invio);
        QCOMPARE(fe.scelti, QList<int>{2});
        s.riprendi();
        s.rilascioManuale(Tasto::Spazio);
        QCOMPARE(fe.evidenziato(), 0);
    }

};

QTEST_GUILESS_MAIN(TestScansione)
#include "tst_scansione.moc"
