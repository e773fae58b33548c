#include "QtWarnings.h"
#include "RecordingSoundPlayer.h"
#include "TestEnv.h"
#include "core/FeedbackSounds.h"

#include <QTest>

class TestSuoni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // Which file is asked for, from how many entries the folder holds and the random draw.
    void choice_data()
    {
        QTest::addColumn<QStringList>("entries"); // in prog/suoni/si; a trailing '/' makes a folder
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("expected");
        const QStringList three = {"1.wav", "2.wav", "3.wav"};
        QTest::newRow("first third") << three << 0.0 << "1.wav";
        QTest::newRow("second third") << three << 0.34 << "2.wav";
        QTest::newRow("just below one") << three << 0.999999 << "3.wav";
        QTest::newRow("a folder counts as a sound") << QStringList{"1.wav", "altri.wav/"} << 0.9 << "2.wav";
        QTest::newRow("upper-case extension counts") << QStringList{"1.wav", "2.WAV"} << 0.9 << "2.wav";
    }
    void choice()
    {
        QFETCH(QStringList, entries);
        QFETCH(double, r);
        QFETCH(QString, expected);
        TestEnv env;
        QDir().mkpath(env.prog() + QStringLiteral("/suoni/si"));
        for (const QString &e : entries) {
            if (e.endsWith(QLatin1Char('/')))
                QDir().mkpath(env.prog() + QStringLiteral("/suoni/si/") + e);
            else
                env.put(QStringLiteral("prog/suoni/si/") + e, "RIFF");
        }
        RecordingSoundPlayer player;
        env.state->sound = &player;
        env.random.push(r);
        SuonoSi(*env.state);
        QCOMPARE(player.requests.size(), 1);
        // Names are found whatever their case, as on Windows.
        QCOMPARE(QFileInfo(player.requests.first()).fileName().toLower(), expected);
        QCOMPARE(QFileInfo(player.requests.first()).dir().dirName(), QStringLiteral("si"));
    }

    // A missing folder still asks for a sound (the default one plays), and wrong answers use
    // their own folder; sounds off means no request at all, and no random draw either.
    void missingFolderAndSilence()
    {
        TestEnv env;
        RecordingSoundPlayer player;
        env.state->sound = &player;
        SuonoNo(*env.state);
        QCOMPARE(player.requests.size(), 1);
        QVERIFY(player.requests.first().endsWith(QStringLiteral("/suoni/no/1.wav")));
        const int drawn = env.random.drawn();
        env.state->profilo.Suoni = false;
        SuonoSi(*env.state);
        SuonoNo(*env.state);
        QCOMPARE(player.requests.size(), 1);
        QCOMPARE(env.random.drawn(), drawn);
    }

};

QTEST_GUILESS_MAIN(TestSuoni)
#include "tst_suoni.moc"
