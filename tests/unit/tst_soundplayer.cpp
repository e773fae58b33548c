#include "platform/QtSoundPlayer.h"

#include "Files.h"
#include "QtWarnings.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

// A valid 16-bit mono PCM WAV file of 0.1 s of silence at 8 kHz.
QByteArray tinyWave()
{
    const quint32 dataBytes = 1600;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    return wav + QByteArray(dataBytes, '\0');
}

// Every warning or worse printed while noAudioDeviceIsQuiet runs.
QStringList s_warnings;

void catchWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        s_warnings.append(message);
}

} // namespace

class TestSoundPlayer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return name.isEmpty() ? name : m_dir.filePath(name); }

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    void initTestCase()
    {
        // The build server has no sound card; pointing the sound server at nothing makes every
        // machine behave like it, and keeps the tests silent on a developer's desk.
        qputenv("PULSE_SERVER", "unix:/nonexistent/vorbello-test-no-sound");
        QVERIFY(m_dir.isValid());
        for (const char *name : {"1.wav", "2.wav", "default.wav", "locked.wav"})
            QVERIFY(writeBytes(path(name), tinyWave()));
        QVERIFY(writeBytes(path("text.wav"), "this is not a sound\n"));
        QCOMPARE(::mkfifo(QFile::encodeName(path("fifo.wav")).constData(), 0600), 0);
        QVERIFY(QFile::setPermissions(path("locked.wav"), QFileDevice::Permissions()));
    }

    // Guards against a machine without a sound card hanging, failing or filling the terminal
    // with errors on every answer: there silence is the normal outcome.
    void noAudioDeviceIsQuiet()
    {
        s_warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(catchWarnings);
        const auto restore = qScopeGuard([previous] { qInstallMessageHandler(previous); });
        {
            QtSoundPlayer player(path("default.wav"));
            for (const char *name : {"1.wav", "9.wav", "text.wav", "2.wav", "1.wav"})
                player.play(path(QString::fromLatin1(name)));
            QCOMPARE(player.currentSource(), path("1.wav"));
            // Anything Qt would report later arrives through the event loop.
            QTest::qWait(100);
        }
        QVERIFY2(s_warnings.isEmpty(), qPrintable(s_warnings.join('\n')));
    }

    // Guards against a bad or missing sound file reaching the decoder (silence, or a crash in
    // the middle of an exercise) instead of the default sound, against an endless fallback loop
    // when the default sound itself is gone, and against a newer answer's sound being ignored,
    // or an older one coming back, when answers follow each other faster than the sounds last.
    void playsFileOrDefault_data()
    {
        QTest::addColumn<QString>("defaultSound");
        QTest::addColumn<QStringList>("requests");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *defaultSound, const QStringList &requests,
                            const char *expected) {
            QTest::newRow(name) << defaultSound << requests << expected;
        };
        // Opening a FIFO would block until someone writes to it.
        row("FIFO named like a sound", "default.wav", {"fifo.wav"}, "default.wav");
        row("text file", "default.wav", {"text.wav"}, "default.wav");
        row("no read permission", "default.wav", {"locked.wav"}, "default.wav");
        row("missing file, no default", "none.wav", {"9.wav"}, "");
        row("two files", "default.wav", {"1.wav", "2.wav"}, "2.wav");
        row("file after a fallback", "default.wav", {"9.wav", "2.wav"}, "2.wav");
        row("fallback after a file", "default.wav", {"1.wav", "9.wav"}, "default.wav");
    }
    void playsFileOrDefault()
    {
        QFETCH(QString, defaultSound);
        QFETCH(QStringList, requests);
        QFETCH(QString, expected);
        if (requests.contains("locked.wav") && QFile(path("locked.wav")).open(QIODevice::ReadOnly))
            QSKIP("running with rights that read any file");
        QtSoundPlayer player(path(defaultSound));
        for (const QString &r : requests)
            player.play(path(r));
        QCOMPARE(player.currentSource(), path(expected));
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
