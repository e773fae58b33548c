#include "platform/SoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

// A valid 16-bit mono PCM WAV file of 0.1 s of silence.
QByteArray tinyWave()
{
    const quint32 rate = 8000;
    const quint32 dataBytes = rate / 10 * 2;
    QByteArray wav;
    auto u32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto u16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    u32(36 + dataBytes);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(dataBytes);
    wav.append(QByteArray(dataBytes, '\0'));
    return wav;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Collects every warning or worse that Qt or we print while alive.
class WarningCatcher
{
public:
    WarningCatcher()
    {
        s_caught = &m_messages;
        m_previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &, const QString &msg) {
                if (type != QtDebugMsg && type != QtInfoMsg)
                    s_caught->append(msg);
            });
    }
    ~WarningCatcher()
    {
        qInstallMessageHandler(m_previous);
        s_caught = nullptr;
    }
    const QStringList &messages() const { return m_messages; }

private:
    static inline QStringList *s_caught = nullptr;
    QStringList m_messages;
    QtMessageHandler m_previous = nullptr;
};

} // namespace

class TestSoundPlayer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        // The build server has no sound card; pointing the sound server at nothing makes every
        // machine behave like it, and keeps the tests silent on a developer's desk.
        qputenv("PULSE_SERVER", "unix:/nonexistent/vorbello-test-no-sound");
        QVERIFY(m_dir.isValid());
        QVERIFY(writeFile(path("1.wav"), tinyWave()));
        QVERIFY(writeFile(path("2.wav"), tinyWave()));
        QVERIFY(writeFile(path("default.wav"), tinyWave()));
        QVERIFY(writeFile(path("text.wav"), "this is not a sound\n"));
        QVERIFY(writeFile(path("empty.wav"), QByteArray()));
        QVERIFY(writeFile(path("short.wav"), "RIFF"));
        QVERIFY(writeFile(path("avi.wav"), "RIFF\x10\0\0\0AVI LIST"));
        QVERIFY(QDir(m_dir.path()).mkdir("3.wav"));
        QVERIFY(writeFile(path("locked.wav"), tinyWave()));
        QVERIFY(QFile::setPermissions(path("locked.wav"), QFileDevice::Permissions()));
    }

    // Guards against a machine without a sound card hanging, failing or filling the terminal
    // with errors on every answer: there silence is the normal outcome.
    void noAudioDeviceIsQuiet()
    {
        WarningCatcher catcher;
        {
            QtSoundPlayer player(path("default.wav"));
            for (const char *name : {"1.wav", "9.wav", "text.wav", "2.wav", "1.wav"})
                player.play(path(QString::fromLatin1(name)));
            QCOMPARE(player.currentSource(), path("1.wav"));
            // Anything Qt would report later arrives through the event loop.
            QTest::qWait(100);
        }
        QVERIFY2(catcher.messages().isEmpty(), qPrintable(catcher.messages().join('\n')));
    }

    // Guards against a bad or missing sound file reaching the decoder (silence, or a crash in
    // the middle of an exercise) instead of the default sound being played.
    void playsFileOrDefault_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("expected");
        QTest::newRow("existing file") << "1.wav"
                                       << "1.wav";
        QTest::newRow("missing file") << "9.wav"
                                      << "default.wav";
        QTest::newRow("folder named like a sound") << "3.wav"
                                                   << "default.wav";
        QTest::newRow("text file") << "text.wav"
                                   << "default.wav";
        QTest::newRow("empty file") << "empty.wav"
                                    << "default.wav";
        QTest::newRow("header cut short") << "short.wav"
                                          << "default.wav";
        QTest::newRow("RIFF but not WAVE") << "avi.wav"
                                           << "default.wav";
        QTest::newRow("no read permission") << "locked.wav"
                                            << "default.wav";
        QTest::newRow("the default itself") << "default.wav"
                                            << "default.wav";
        QTest::newRow("empty path") << ""
                                    << "default.wav";
    }
    void playsFileOrDefault()
    {
        QFETCH(QString, request);
        QFETCH(QString, expected);
        if (request == "locked.wav" && QFile(path(request)).open(QIODevice::ReadOnly))
            QSKIP("running with rights that read any file");
        QtSoundPlayer player(path("default.wav"));
        player.play(request.isEmpty() ? QString() : path(request));
        QCOMPARE(player.currentSource(), path(expected));
    }

    // Guards against an endless fallback loop or a crash when the default sound itself is gone.
    void missingDefaultPlaysNothing_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing file") << "9.wav"
                                      << "";
        QTest::newRow("text file") << "text.wav"
                                   << "";
        QTest::newRow("existing file still plays") << "1.wav"
                                                   << "1.wav";
    }
    void missingDefaultPlaysNothing()
    {
        QFETCH(QString, request);
        QFETCH(QString, expected);
        QtSoundPlayer player(path("no-such-default.wav"));
        player.play(path(request));
        QCOMPARE(player.currentSource(), expected.isEmpty() ? QString() : path(expected));
    }

    // Guards against a newer answer's sound being ignored, or an older one coming back, when
    // answers follow each other faster than the sounds last (the cached sound must restart).
    void laterRequestReplacesEarlier_data()
    {
        QTest::addColumn<QStringList>("requests");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two files") << QStringList{"1.wav", "2.wav"} << "2.wav";
        QTest::newRow("same file twice") << QStringList{"1.wav", "1.wav"} << "1.wav";
        QTest::newRow("file after a fallback") << QStringList{"9.wav", "2.wav"} << "2.wav";
        QTest::newRow("fallback after a file") << QStringList{"1.wav", "9.wav"} << "default.wav";
        QTest::newRow("back to the first") << QStringList{"1.wav", "2.wav", "1.wav"} << "1.wav";
    }
    void laterRequestReplacesEarlier()
    {
        QFETCH(QStringList, requests);
        QFETCH(QString, expected);
        QtSoundPlayer player(path("default.wav"));
        for (const QString &r : requests)
            player.play(path(r));
        QCOMPARE(player.currentSource(), path(expected));
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
