// Find the differences without a window: how a pair of cups is drawn, and how the pupil's
// choices are judged.

#include "exercises/LogicaEs8.h"

#include "QtWarnings.h"
#include "ScriptedRandom.h"

#include <QTest>

namespace {

// A draw that gives Int(r × n) = i.
double pick(int i, int n)
{
    return (i + 0.5) / n;
}

QList<int> caratteristiche(const Attributi &a)
{
    return {a.begin() + 1, a.end()};
}

} // namespace

class TestLogicaEs8 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
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

    void drawOrder_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QList<int>>("model");
        QTest::addColumn<QList<int>>("copy");
        // Model: six flags (the colour's is drawn and then replaced), colour, saucer.
        const QList<double> model = {pick(1, 2), pick(0, 2), pick(1, 2), pick(0, 2),
                                     pick(1, 2), pick(0, 2), pick(2, 4), pick(1, 3)};
        const QList<int> cup = {1, 3, 1, 0, 1, 0, 1};
        QTest::newRow("colour drawn again while it equals the model's")
            << 1 << model + QList<double>{pick(1, 7), pick(2, 4), pick(0, 4)} << cup
            << QList<int>{1, 1, 1, 0, 1, 0, 1};
        QTest::newRow("a feature already changed is drawn again")
            << 2 << model + QList<double>{pick(6, 7), pick(1, 3), pick(2, 3), pick(6, 7),
                                          pick(3, 7), pick(0, 2), pick(1, 2)}
            << cup << QList<int>{1, 3, 1, 1, 1, 0, 2};
    }
    // The draws are taken in one fixed order, each exactly once, so that a scripted run gives
    // the same cups every time.
    void drawOrder()
    {
        QFETCH(int, level);
        QFETCH(QList<double>, draws);
        QFETCH(QList<int>, model);
        QFETCH(QList<int>, copy);
        ScriptedRandom random(draws);
        LogicaEs8 l(random);
        l.Livello = level;
        l.ImpostaColori();
        QCOMPARE(caratteristiche(l.attributi[LogicaEs8::Modello]), model);
        QCOMPARE(caratteristiche(l.attributi[LogicaEs8::Copia]), copy);
        QCOMPARE(random.drawn(), int(draws.size()));
    }

    void choices_data()
    {
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<QList<bool>>("differences");
        QTest::addColumn<int>("found");
        QTest::addColumn<bool>("finished");
        // Level 2; the copy differs in the flower (3) and the saucer (7).
        QTest::newRow("a difference") << QList<int>{3} << QList<bool>{true} << 1 << false;
        QTest::newRow("never changed")
            << QList<int>{1, 2, 4} << QList<bool>{false, false, false} << 0 << false;
        QTest::newRow("already found")
            << QList<int>{7, 7} << QList<bool>{true, false} << 1 << false;
        QTest::newRow("outside the features")
            << QList<int>{0, 8, -1} << QList<bool>{false, false, false} << 0 << false;
        QTest::newRow("all found")
            << QList<int>{7, 5, 3} << QList<bool>{true, false, true} << 2 << true;
    }
    // A difference named is put right on the copy and counted once; anything else leaves both
    // cups as they were.
    void choices()
    {
        QFETCH(QList<int>, choices);
        QFETCH(QList<bool>, differences);
        QFETCH(int, found);
        QFETCH(bool, finished);
        ScriptedRandom random;
        LogicaEs8 l(random);
        l.Livello = 2;
        const Attributi model = {0, 1, 2, 0, 1, 0, 1, 0};
        Attributi copy = model;
        copy[3] = 1;
        copy[7] = 2;
        l.attributi = {model, copy};
        l.Cambiato = {0, 0, 0, 1, 0, 0, 0, 1};
        for (int i = 0; i < choices.size(); ++i)
            QCOMPARE(l.Scegli(choices[i]), differences[i]);
        QCOMPARE(l.Trovate, found);
        QCOMPARE(l.Finita(), finished);
        QCOMPARE(l.attributi[LogicaEs8::Modello], model);
        for (int k = 1; k <= 7; ++k) {
            const bool putRight = choices.contains(k) && (k == 3 || k == 7);
            QCOMPARE(l.attributi[LogicaEs8::Copia][k], putRight ? model[k] : copy[k]);
            QCOMPARE(l.Cambiato[k], (k == 3 || k == 7) && !putRight ? 1 : 0);
        }
    }
};

QTEST_APPLESS_MAIN(TestLogicaEs8)
#include "tst_logicaes8.moc"
