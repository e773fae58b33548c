#pragma once

#include "platform/SoundPlayer.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QSoundEffect;

// The product player, on Qt Multimedia. Loaded sounds are kept by path so that a sound heard
// before starts again without decoding. Must live on the GUI thread.
class QtSoundPlayer final : public QObject, public SoundPlayer
{
    Q_OBJECT

public:
    // defaultSoundPath: heard whenever a requested file is missing or unreadable.
    explicit QtSoundPlayer(const QString &defaultSoundPath, QObject *parent = nullptr);
    ~QtSoundPlayer() override;

    void play(const QString &hostPath) override;

    // The file the last request ended up playing (the default sound after a fallback); empty
    // before any request, or when neither the file nor the default sound could be used.
    QString currentSource() const { return m_current; }

private:
    void start(const QString &path);
    void fallBackFrom(const QString &failedPath);
    QSoundEffect *effectFor(const QString &path);
    void onStatusChanged(QSoundEffect *effect, const QString &path);
    bool usable(const QString &path) const;

    QString m_defaultPath;
    QString m_current;
    QHash<QString, QSoundEffect *> m_effects;
    // Files that looked like WAV files but would not decode: straight to the default next time.
    QSet<QString> m_broken;
    QSoundEffect *m_playing = nullptr;
};
