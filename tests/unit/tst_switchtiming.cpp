// The timing rules that make switches usable for pupils whose presses are not clean: brushes,
// tremor, slow scanning with pauses, loops that stop, and a switch held to scan.

#include "FakeScanFrontend.h"
#include "QtWarnings.h"
#include "scanning/Scansione.h"

#include <QTest>

Q_DECLARE_METATYPE(SwitchTiming)

class TestSwitchTiming : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    void filter_data()
    {
        QTest::addColumn<int>("acceptance");
        QTest::addColumn<int>("guard");
        QTest::addColumn<QString>("timeline"); // p<ms> press, r<ms> release, of one switch
        QTest::addColumn<QString>("outcome");  // per event: + passed, - dropped; C counts,
                                               // S too short, I its press was dropped
        QTest::newRow("off: a brush counts") << 0 << 0 << "p0 r40" << "+C";
        QTest::newRow("a 40 ms brush refused at 100 ms") << 100 << 0 << "p0 r40" << "+S";
        QTest::newRow("held long enough") << 100 << 0 << "p0 r100" << "+C";
        QTest::newRow("tremor: one press of three")
            << 0 << 300 << "p0 r200 p250 r280 p320 r350 p700 r800" << "+C-I-I+C";
        QTest::newRow("guard off: every bounce counts") << 0 << 0 << "p0 r200 p250 r280" << "+C+C";
        QTest::newRow("a brush starts the guard too") << 100 << 300 << "p0 r40 p200 r400" << "+S-I";
        QTest::newRow("a lost release: the next press is timed afresh")
            << 100 << 0 << "p0 p500 r520 p900 r1000" << "++S+C";
    }
    void filter()
    {
        QFETCH(int, acceptance);
        QFETCH(int, guard);
        QFETCH(QString, timeline);
        QFETCH(QString, outcome);
        SwitchFilter f;
        SwitchTiming t;
        t.acceptanceMs = acceptance;
        t.repeatGuardMs = guard;
        f.setTiming(t);
        QString got;
        for (const QString &e : timeline.split(QLatin1Char(' '))) {
            const qint64 ms = e.mid(1).toLongLong();
            if (e.startsWith(QLatin1Char('p'))) {
                got += f.press(Tasto::Spazio, ms) ? QLatin1Char('+') : QLatin1Char('-');
            } else {
                const auto r = f.release(Tasto::Spazio, ms);
                got += r == SwitchFilter::Release::Counts     ? QLatin1Char('C')
                       : r == SwitchFilter::Release::TooShort ? QLatin1Char('S')
                                                              : QLatin1Char('I');
            }
        }
        QCOMPARE(got, outcome);
    }

    void automatic_data()
    {
        QTest::addColumn<SwitchTiming>("timing");
        QTest::addColumn<QString>("events"); // t tick, p/a press/release of the select switch,
                                             // x a press too short to count
        QTest::addColumn<QString>("expected"); // after each event: lit target, then the timer's
                                               // interval or "-" when stopped; "*n" a choice of n
        SwitchTiming plain;
        SwitchTiming dwell;
        dwell.firstItemPercent = 200;
        SwitchTiming pause;
        pause.pauseAfterChoiceMs = 1500;
        SwitchTiming loops;
        loops.scanLoops = 2;
        SwitchTiming hold;
        hold.holdToScan = true;
        // Three targets, a step of one second.
        QTest::newRow("plain") << plain << "t t t p a" << "1:1000 2:1000 0:1000 0:- *0:1000";
        QTest::newRow("first target lit longer") << dwell << "t t t" << "1:1000 2:1000 0:2000";
        QTest::newRow("pause after a choice") << pause << "t p a t" << "1:1000 1:- *1:2500 2:1000";
        QTest::newRow("stops after two loops, a press wakes it")
            << loops << "t t t t t t p a t" << "1:1000 2:1000 0:1000 1:1000 2:1000 0:- 0:- 0:1000 1:1000";
        QTest::newRow("a brush chooses nothing") << plain << "t x" << "1:1000 1:1000";
        QTest::newRow("held to scan") << hold << "p t t a" << "-1:1000 1:1000 2:1000 *2:-";
    }
    void automatic()
    {
        QFETCH(SwitchTiming, timing);
        QFETCH(QString, events);
        QFETCH(QString, expected);
        FakeScanFrontend fe(3);
        Scansione s(fe);
        s.impostaTempi(timing);
        s.prepara(2, 4);
        QStringList got;
        for (const QString &e : events.split(QLatin1Char(' '))) {
            const int scelte = int(fe.scelti.size());
            if (e == QLatin1String("t"))
                s.tick();
            else if (e == QLatin1String("p"))
                s.pressioneAutomatica(Tasto::Spazio);
            else if (e == QLatin1String("a"))
                s.rilascioAutomatica(Tasto::Spazio);
            else if (e == QLatin1String("x")) {
                s.pressioneAutomatica(Tasto::Spazio);
                s.pressioneAnnullata(Tasto::Spazio);
            }
            const QString timer = s.timer().isActive() ? QString::number(s.timer().interval())
                                                       : QStringLiteral("-");
            if (fe.scelti.size() > scelte)
                got << QStringLiteral("*%1:%2").arg(fe.scelti.last()).arg(timer);
            else
                got << QStringLiteral("%1:%2").arg(fe.evidenziato()).arg(timer);
        }
        QCOMPARE(got.join(QLatin1Char(' ')), expected);
    }
};

QTEST_GUILESS_MAIN(TestSwitchTiming)
#include "tst_switchtiming.moc"
