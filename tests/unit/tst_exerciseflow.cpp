// The course of a run that every exercise window shares: levels, counters, rewards, log rows
// and the phase the mouse and the switches both obey.

#include "core/Registro.h"
#include "exercises/ExerciseFlow.h"

#include "QtWarnings.h"

#include <QTest>

Q_DECLARE_METATYPE(ExerciseFlow::Rules)

namespace {

// The log's rows after the run's start, as "level|right|wrong".
QStringList risultati(const Registro &log)
{
    QStringList rows;
    for (int r = 1; r < log.righe(); ++r)
        rows.append(QStringList{log.riga(r)[1], log.riga(r)[2], log.riga(r)[3]}.join(u'|'));
    return rows;
}

} // namespace

class TestExerciseFlow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    // Each exercise's thresholds, checked before a new exercise: five errors take a level down,
    // the exercise's net score one up, neither past its ends; a change logs the level left and
    // starts the new one at zero.
    void thresholds_data()
    {
        QTest::addColumn<ExerciseFlow::Rules>("rules");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("rows");
        const auto vf = ExerciseRules::VeroFalso;
        QTest::newRow("five errors at 2") << vf << 2 << 3 << 5 << 1 << QStringList{"2|3|5"};
        QTest::newRow("errors at 1 keep counting") << vf << 1 << 0 << 6 << 1 << QStringList{};
        QTest::newRow("net 7 at 1") << vf << 1 << 9 << 2 << 2 << QStringList{"1|9|2"};
        QTest::newRow("net 7 at the top") << vf << 6 << 9 << 2 << 6 << QStringList{};
        QTest::newRow("down first, then the reset counters")
            << vf << 2 << 12 << 5 << 1 << QStringList{"2|12|5"};
        QTest::newRow("same or different: top is 3")
            << ExerciseRules::UgualeDiverso << 3 << 7 << 0 << 3 << QStringList{};
        QTest::newRow("sets: net 19 stays") << ExerciseRules::Insiemi << 1 << 19 << 0 << 1 << QStringList{};
        QTest::newRow("sets: net 20 goes up") << ExerciseRules::Insiemi << 1 << 20 << 0 << 2 << QStringList{"1|20|0"};
        QTest::newRow("differences: net 12") << ExerciseRules::Differenze << 3 << 12 << 0 << 4 << QStringList{"3|12|0"};
        QTest::newRow("differences: top is 4") << ExerciseRules::Differenze << 4 << 12 << 0 << 4 << QStringList{};
        QTest::newRow("grids: net 17 stays") << ExerciseRules::Griglie << 4 << 18 << 1 << 4 << QStringList{};
        QTest::newRow("grids: net 18 to the top") << ExerciseRules::Griglie << 4 << 18 << 0 << 5 << QStringList{"4|18|0"};
    }
    void thresholds()
    {
        QFETCH(ExerciseFlow::Rules, rules);
        QFETCH(int, start);
        QFETCH(int, right);
        QFETCH(int, wrong);
        QFETCH(int, level);
        QFETCH(QStringList, rows);
        Registro log;
        log.iniziaEsercizio(QStringLiteral("x"));
        ExerciseFlow flow(rules, log);
        flow.setForTest(start, right, wrong);
        QCOMPARE(flow.applyThresholds(), level != start);
        QCOMPARE(flow.level(), level);
        QCOMPARE(risultati(log), rows);
        if (!rows.isEmpty())
            QCOMPARE(flow.rightAnswers() + flow.wrongAnswers(), 0);
    }

    // The level menu logs the run even when the level stays, and starts afresh; a level the
    // exercise lacks changes nothing.
    void levelChoice()
    {
        Registro log;
        log.iniziaEsercizio(QStringLiteral("x"));
        ExerciseFlow flow(ExerciseRules::Differenze, log);
        flow.start();
        flow.setForTest(1, 4, 0);
        QVERIFY(flow.chooseLevel(1));
        QVERIFY(!flow.chooseLevel(5));
        QVERIFY(!flow.chooseLevel(0));
        QVERIFY(flow.chooseLevel(4));
        flow.wrong();
        flow.leave();
        QCOMPARE(risultati(log), (QStringList{"1|4|0", "1|0|0", "4|0|1"}));
    }

    // Counters stop where the stored log's 16-bit fields do; rewards come every tenth right
    // answer where the exercise has them, across restarts.
    void countersAndRewards()
    {
        Registro log;
        ExerciseFlow withRewards(ExerciseRules::VeroFalso, log);
        QList<int> rewards;
        for (int i = 1; i <= 25; ++i) {
            if (i == 15)
                withRewards.start();
            if (withRewards.right(true))
                rewards.append(i);
        }
        QCOMPARE(rewards, (QList<int>{10, 20}));
        ExerciseFlow without(ExerciseRules::Insiemi, log);
        without.setForTest(1, ExerciseFlow::MaxCount - 1, ExerciseFlow::MaxCount);
        for (int i = 0; i < 12; ++i)
            QVERIFY(!without.right(false));
        without.wrong();
        QCOMPARE(without.rightAnswers(), ExerciseFlow::MaxCount);
        QCOMPARE(without.wrongAnswers(), ExerciseFlow::MaxCount);
    }

    // Only answers are live while answering, only "next" once the exercise waits for it, and
    // nothing while a new exercise is being made.
    void phases()
    {
        Registro log;
        ExerciseFlow flow(ExerciseRules::VeroFalso, log);
        QVERIFY(!flow.answering() && !flow.waitingForNext()); // being made
        flow.ready();
        QVERIFY(flow.answering() && !flow.waitingForNext());
        flow.wrong();
        QVERIFY(flow.answering());
        flow.right(false); // a set goes on with a new cup
        QVERIFY(flow.answering());
        flow.right(true);
        QVERIFY(!flow.answering() && flow.waitingForNext());
        flow.preparing();
        flow.ready();
        flow.over();
        QVERIFY(!flow.answering() && flow.waitingForNext());
    }

    // Each logged row reaches the history with its own answers: each timed from the exercise
    // appearing or, within one exercise, from the choice before; a new start drops a left-over.
    void answersForHistory()
    {
        Registro log;
        ExerciseFlow flow(ExerciseRules::VeroFalso, log);
        qint64 now = 1000;
        flow.setClock([&now] { return now; });
        QList<History::Run> rows;
        flow.setRowSink([&rows](History::Run r) { rows.append(r); });
        flow.start();
        flow.ready();
        now += 4000;
        flow.wrong({3, 1});
        now += 500;
        flow.right(true, {1, 0});
        flow.preparing();
        now += 9000; // waiting for "next" is not answering
        flow.ready();
        now += 1200;
        flow.right(true);
        flow.chooseLevel(3);
        flow.ready();
        now += 700;
        flow.wrong();
        flow.start(); // the window shown again without leaving: that answer was never logged
        flow.ready();
        flow.leave();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].level, 1);
        QCOMPARE(rows[0].right, 2);
        QCOMPARE(rows[0].wrong, 1);
        const QList<History::Answer> first{{4000, false, 3, 1}, {500, true, 1, 0}, {1200, true, 0, 0}};
        QCOMPARE(rows[0].answers, first);
        QCOMPARE(rows[1].level, 1);
        QVERIFY(rows[1].answers.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestExerciseFlow)
#include "tst_exerciseflow.moc"
