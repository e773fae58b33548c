// A pupil's switch and speech settings live beside the profile: read with defaults whatever the
// file holds, and saved together with the profile or not at all.

#include "FullDisk.h"
#include "QtWarnings.h"
#include "TestEnv.h"
#include "core/AccessSettings.h"
#include "core/Profilo.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestAccessSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("acceptance");
        QTest::addColumn<int>("frame");
        QTest::newRow("empty") << QByteArray() << 0 << 0;
        QTest::newRow("written by hand") << QByteArray("[Switches]\r\nAcceptanceMs = 300\r\n[Highlight]\r\nFrameThickness=4\r\n") << 300 << 4;
        QTest::newRow("out of range") << QByteArray("[Switches]\nAcceptanceMs=999999\n[Highlight]\nFrameThickness=-3\n") << 2000 << 0;
        QTest::newRow("not numbers") << QByteArray("[Switches]\nAcceptanceMs=lots\n[Highlight]\nFrameThickness=4x\n") << 0 << 0;
        QTest::newRow("not a settings file") << QByteArray("\x00\xff\xfe garbage", 11) << 0 << 0;
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, acceptance);
        QFETCH(int, frame);
        const AccessSettings s = AccessSettings::fromBytes(bytes);
        QCOMPARE(s.timing.acceptanceMs, acceptance);
        QCOMPARE(s.frameThickness, frame);
    }

    // Saved and loaded with the profile; a pupil who never changed them gets no file; when the
    // profile cannot be written, the settings file is put back as it was.
    void savedWithProfile()
    {
        TestEnv env;
        env.state->FileProfilo = QStringLiteral("C:\\Anna.INI");
        QVERIFY(SalvaProfilo(*env.state));
        QVERIFY(!env.exists(QStringLiteral("C/Anna.access.ini")));

        AccessSettings changed;
        changed.timing = {300, 500, 1500, 200, 3, true};
        changed.frameThickness = 6;
        changed.speakScanning = true;
        changed.voiceRate = -4;
        env.state->accesso = changed;
        QVERIFY(SalvaProfilo(*env.state));
        env.state->accesso = AccessSettings();
        CaricaProfilo(*env.state);
        QCOMPARE(env.state->accesso, changed);

        const QByteArray before = env.get(QStringLiteral("C/Anna.access.ini"));
        env.state->accesso.frameThickness = 2;
        env.state->profilo.Riservato6 = QString(400, QLatin1Char('x')); // the profile outgrows the disk
        {
            FullDisk full(before.size() + 64);
            QVERIFY(!SalvaProfilo(*env.state));
        }
        QCOMPARE(env.get(QStringLiteral("C/Anna.access.ini")), before);

        // The teacher is told the file that could not be written.
        QVERIFY(QFile::remove(env.driveC() + QStringLiteral("/Anna.access.ini")));
        QVERIFY(QDir().mkpath(env.driveC() + QStringLiteral("/Anna.access.ini")));
        env.dialogs.messages.clear();
        QVERIFY(!SalvaProfilo(*env.state));
        QCOMPARE(env.dialogs.messages.size(), 1);
        QVERIFY(env.dialogs.messages[0].endsWith(QStringLiteral("/Anna.access.ini")));
    }
};

QTEST_GUILESS_MAIN(TestAccessSettings)
#include "tst_accesssettings.moc"
