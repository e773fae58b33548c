#include "platform/QtSoundPlayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {

// Only a regular file that starts like a RIFF/WAVE file goes to the decoder: anything else
// would merely make Qt log a decoding error before failing. The regular-file test comes first
// so that a FIFO or device named "*.wav" is never opened (opening a FIFO blocks).
bool looksLikeWave(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.sliced(8, 4) == "WAVE";
}

QtMessageHandler s_nextHandler = nullptr;

// Qt's PulseAudio layer warns once, as if it were an error, when no sound server runs. On a
// machine without sound that is the normal case, so that one line is dropped.
void dropNoSoundServerWarning(QtMsgType type, const QMessageLogContext &context,
                              const QString &message)
{
    if (type == QtWarningMsg &&
        message == QLatin1String("PulseAudioService: pa_context_connect() failed"))
        return;
    if (s_nextHandler)
        s_nextHandler(type, context, message);
}

// Without an output device QSoundEffect logs a critical error for every sound it loads; for
// this program silence is the right outcome, so no effect is even created then.
bool haveAudioOutput()
{
    s_nextHandler = qInstallMessageHandler(dropNoSoundServerWarning);
    const bool present = !QMediaDevices::defaultAudioOutput().isNull();
    qInstallMessageHandler(s_nextHandler);
    return present;
}

} // namespace

QtSoundPlayer::QtSoundPlayer(const QString &defaultSoundPath, QObject *parent)
    : QObject(parent), m_defaultPath(defaultSoundPath)
{
}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString &hostPath)
{
    if (m_playing) {
        m_playing->stop();
        m_playing = nullptr;
    }
    if (usable(hostPath))
        start(hostPath);
    else if (usable(m_defaultPath))
        start(m_defaultPath);
    else
        m_current.clear();
}

bool QtSoundPlayer::usable(const QString &path) const
{
    if (path.isEmpty() || m_broken.contains(path))
        return false;
    // A sound already decoded needs no second look at its header, only proof it still exists.
    const auto it = m_effects.constFind(path);
    if (it != m_effects.constEnd() && (*it)->status() == QSoundEffect::Ready)
        return QFileInfo(path).isFile();
    return looksLikeWave(path);
}

void QtSoundPlayer::start(const QString &path)
{
    m_current = path;
    if (!haveAudioOutput())
        return;
    QSoundEffect *effect = effectFor(path);
    if (!effect) {
        fallBackFrom(path);
        return;
    }
    m_playing = effect;
    // While the file is still loading this only marks the effect; it starts once decoded.
    effect->play();
}

void QtSoundPlayer::fallBackFrom(const QString &failedPath)
{
    if (failedPath != m_defaultPath && usable(m_defaultPath))
        start(m_defaultPath);
    else
        m_current.clear();
}

QSoundEffect *QtSoundPlayer::effectFor(const QString &path)
{
    if (QSoundEffect *cached = m_effects.value(path))
        return cached;
    auto *effect = new QSoundEffect(this);
    // Connected before the source is set: a sample Qt already failed on reports at once.
    connect(effect, &QSoundEffect::statusChanged, this,
            [this, effect, path] { onStatusChanged(effect, path); });
    m_effects.insert(path, effect);
    effect->setSource(QUrl::fromLocalFile(path));
    // Already failed (and dropped by onStatusChanged) when Qt knew the file as undecodable.
    return effect->status() == QSoundEffect::Error ? nullptr : effect;
}

void QtSoundPlayer::onStatusChanged(QSoundEffect *effect, const QString &path)
{
    if (effect->status() != QSoundEffect::Error)
        return;
    // The same status is reported when the output device went away after the check in
    // start(); the file is blameless then and may be tried again later.
    if (haveAudioOutput())
        m_broken.insert(path);
    m_effects.remove(path);
    effect->deleteLater();
    if (effect != m_playing)
        return;
    m_playing = nullptr;
    fallBackFrom(path);
}

// What the program asks of this module once loaded (see SoundModule).
extern "C" SoundPlayer *vorbello_sound_player(const QString &defaultSoundPath)
{
    return new QtSoundPlayer(defaultSoundPath);
}
