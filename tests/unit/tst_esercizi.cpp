// Drawing the cups of the exercises: what a picture that stops half-way leaves behind, and the
// pairs of Find the differences.

#include "exercises/LogicaEs1.h"
#include "exercises/LogicaEs8.h"

#include "QtWarnings.h"
#include "ScriptedRandom.h"

#include <QTest>


class TestEsercizi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    // A movie that refuses a call ends the drawing there; the features not yet drawn keep the
    // previous cup's values, and sentences are built on what stands.
    void drawingStopsAtRefusal_data()
    {
        QTest::addColumn<int>("refused");
        QTest::addColumn<int>("drawn"); // features 1..drawn are new
        QTest::newRow("background") << 0 << 0;
        QTest::newRow("stripes") << 5 << 5;
        QTest::newRow("nothing refused") << 99 << 7;
    }
    void drawingStopsAtRefusal()
    {
        QFETCH(int, refused);
        QFETCH(int, drawn);
        ScriptedRandom random({0.99});
        LogicaEs1 es(random);
        es.attributi = {0, 0, 1, 0, 0, 0, 0, 0};
        QList<int> shown;
        es.ImpostaColori([&](int k) {
            shown << k;
            return k != refused;
        });
        const Attributi high = {0, 1, 4, 1, 1, 1, 1, 2};
        const Attributi old = {0, 0, 1, 0, 0, 0, 0, 0};
        for (int k = 1; k <= 7; ++k)
            QCOMPARE(es.attributi[k], k <= drawn ? high[k] : old[k]);
        QCOMPARE(shown.last(), std::min(refused, 7));
    }


    void differences_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<quint64>("seed");
        for (int level = 1; level <= LogicaEs8::Livelli; ++level)
            QTest::addRow("level %d", level) << level << quint64(1000 + level);
    }
    // Many pairs per level: exactly as many features differ as the level, each difference is a
    // real change within the feature's own values, and nothing else of the copy moves.
    void differences()
    {
        QFETCH(int, level);
        QFETCH(quint64, seed);
        ClockRandom random(seed);
        LogicaEs8 l(random);
        l.Livello = level;
        for (int pair = 0; pair < 300; ++pair) {
            l.ImpostaColori();
            const Attributi &m = l.attributi[LogicaEs8::Modello];
            const Attributi &c = l.attributi[LogicaEs8::Copia];
            QCOMPARE(l.Trovate, 0);
            QVERIFY(!l.Finita());
            int changed = 0;
            for (int k = 1; k <= 7; ++k) {
                const int hi = k == Tazza::Colore ? 4 : k == Tazza::Piattino ? 2 : 1;
                const int lo = k == Tazza::Colore ? 1 : 0;
                QVERIFY2(m[k] >= lo && m[k] <= hi,
                         qPrintable(QStringLiteral("model feature %1").arg(k)));
                QVERIFY2(c[k] >= lo && c[k] <= hi,
                         qPrintable(QStringLiteral("copy feature %1").arg(k)));
                QCOMPARE(l.Cambiato[k] == 1, c[k] != m[k]);
                if (l.Cambiato[k] == 1) {
                    ++changed;
                    if (Tazza::eFlag(k))
                        QCOMPARE(c[k], 1 - m[k]);
                } else {
                    QCOMPARE(l.Cambiato[k], 0);
                }
            }
            QCOMPARE(changed, level);
        }
    }

};

QTEST_GUILESS_MAIN(TestEsercizi)
#include "tst_esercizi.moc"
