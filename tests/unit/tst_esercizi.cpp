// The order in which the exercises draw, pinned with scripted draws: which text a given cup
// and given draws produce, and what a picture that stops half-way leaves behind.

#include "exercises/LogicaEs1.h"
#include "exercises/LogicaEs5.h"
#include "exercises/TestiFrase.h"

#include "QtWarnings.h"
#include "ScriptedRandom.h"

#include <QTest>

namespace {

// Texts that name themselves: Frasi(i) is "F<i>", a numbered string is "K<key>", a colour "C<row>".
TestiFrase nominali()
{
    std::array<QString, 61> frasi;
    for (int i = 0; i < 61; ++i)
        frasi[i] = QStringLiteral("F%1").arg(i);
    return TestiFrase(frasi, [](const QString &key) { return QLatin1Char('K') + key; },
                      {QStringLiteral("C0"), QStringLiteral("C1"), QStringLiteral("C2"), QStringLiteral("C3"),
                       QStringLiteral("C4")});
}

QString pieces(const Frase &f)
{
    QStringList out;
    for (const Pezzo &p : f.pezzi())
        out << p.testo.trimmed();
    return out.join(QLatin1Char('+'));
}

// Draws that give Int(r × n) = i.
double pick(int i, int n)
{
    return (i + 0.5) / n;
}

} // namespace

class TestEsercizi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    void veroFalso_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("cup"); // features 1..7
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<int>("soluzione");
        const QList<int> cup = {1, 2, 0, 1, 0, 1, 2}; // heart, red, handle, steam, biscuit
        QTest::newRow("L1 handle shown, true") << 1 << cup << QList<double>{pick(0, 2), pick(3, 7)} << "K0096" << 0;
        QTest::newRow("L1 handle shown, false") << 1 << cup << QList<double>{pick(1, 2), pick(3, 7)} << "K0095" << 1;
        QTest::newRow("L1 handle hidden, true")
            << 1 << QList<int>{1, 2, 0, 0, 0, 1, 2} << QList<double>{pick(0, 2), pick(3, 7)} << "K0093" << 0;
        QTest::newRow("L1 colour false skips the cup's own colour")
            << 1 << cup << QList<double>{pick(1, 2), pick(1, 7), pick(1, 4), pick(2, 4)} << "K0092+C3" << 1;
        QTest::newRow("L3 colour true names another colour")
            << 3 << cup << QList<double>{pick(0, 2), pick(1, 7), pick(1, 4), pick(3, 4)} << "F28+C4" << 0;
        QTest::newRow("L1 saucer false, second wrong statement")
            << 1 << cup << QList<double>{pick(1, 2), pick(6, 7), pick(1, 2)} << "F53" << 1;
        QTest::newRow("L3 saucer: there is no something")
            << 3 << cup << QList<double>{pick(1, 2), pick(6, 7), pick(0, 3)} << "F5+F8" << 1;
        QTest::newRow("L4 second feature drawn again when equal")
            << 4 << cup << QList<double>{pick(0, 2), pick(0, 7), pick(0, 7), pick(2, 7)} << "F15+F21+f10" << 0;
        QTest::newRow("L5 NonCeMa skips colour and repeats")
            << 5 << cup << QList<double>{pick(3, 4), pick(1, 6), pick(3, 6), pick(3, 6), pick(0, 6)} << "K0133+K0136" << 1;
        QTest::newRow("L6 false colour, true feature")
            << 6 << cup << QList<double>{pick(1, 2), pick(1, 2), pick(0, 2), pick(0, 2), pick(1, 4), pick(2, 4), pick(5, 6)}
            << "F42+C3+F2+F32" << 1;
    }
    // The sentence for a given cup and given draws, and the answer judged right.
    void veroFalso()
    {
        QFETCH(int, level);
        QFETCH(QList<int>, cup);
        QFETCH(QList<double>, draws);
        QFETCH(QString, sentence);
        QFETCH(int, soluzione);
        ScriptedRandom random(draws);
        LogicaEs1 es(random);
        for (int k = 1; k <= 7; ++k)
            es.attributi[k] = cup[k - 1];
        es.Livello = level;
        es.ScriviFrase(nominali());
        QCOMPARE(pieces(es.FraseCorrente), sentence);
        QCOMPARE(es.Soluzione, soluzione);
        QCOMPARE(random.drawn(), draws.size());
    }

    // A movie that refuses a call ends the drawing there; the features not yet drawn keep the
    // previous cup's values, and sentences are built on what stands.
    void drawingStopsAtRefusal_data()
    {
        QTest::addColumn<int>("refused");
        QTest::addColumn<int>("drawn"); // features 1..drawn are new
        QTest::newRow("background") << 0 << 0;
        QTest::newRow("heart") << 1 << 1;
        QTest::newRow("colour") << 2 << 2;
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

    // Sets: the draws of a cup for each level and answer.
    void insiemi_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<int>("soluzione");
        QTest::addColumn<QList<int>>("cup");
        // Named: A = heart (1), B = colour blue (3).
        // A random cup draws flags 1..7, then the colour and the saucer.
        const QList<double> zeros = {0, 0, 0, 0, 0, 0, 0, pick(0, 4), pick(0, 3)};
        QTest::newRow("L1 belongs: named value set")
            << 1 << (QList<double>{pick(0, 100)} + zeros) << 0 << QList<int>{1, 1, 0, 0, 0, 0, 0};
        QTest::newRow("L3 not: only B set")
            << 3 << (QList<double>{pick(1, 100)} + zeros + QList<double>{pick(1, 100)}) << 1
            << QList<int>{0, 3, 0, 0, 0, 0, 0};
        QTest::newRow("L4 not: A and B set")
            << 4 << (QList<double>{pick(1, 100)} + zeros + QList<double>{pick(1, 100)}) << 1
            << QList<int>{1, 3, 0, 0, 0, 0, 0};
        QTest::newRow("L4 belongs: B only")
            << 4 << (QList<double>{pick(0, 100)} + zeros) << 0 << QList<int>{0, 3, 0, 0, 0, 0, 0};
    }
    void insiemi()
    {
        QFETCH(int, level);
        QFETCH(QList<double>, draws);
        QFETCH(int, soluzione);
        QFETCH(QList<int>, cup);
        ScriptedRandom random(draws);
        LogicaEs5 es(random);
        es.Livello = level;
        es.CaratteristicaA = 1;
        es.ValoreA = 1;
        es.CaratteristicaB = 2;
        es.ValoreB = 3;
        es.ImpostaColori();
        QCOMPARE(es.Soluzione, soluzione);
        for (int k = 1; k <= 7; ++k)
            QCOMPARE(es.AttributiCorrenti[k], cup[k - 1]);
        QCOMPARE(random.drawn(), draws.size());
    }
};

QTEST_GUILESS_MAIN(TestEsercizi)
#include "tst_esercizi.moc"
