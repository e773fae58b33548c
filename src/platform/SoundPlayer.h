#pragma once

#include <QString>

#include <memory>

// Plays the short feedback sounds. The caller never waits: play() returns at once.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;

    // Starts the WAV file at hostPath, cutting off any sound still playing. A file that cannot
    // be played gives the default sound instead; no failure is ever reported.
    virtual void play(const QString &hostPath) = 0;
};

// The program's player. Qt Multimedia and the sound server's libraries are loaded with the
// first sound, from a module beside the program or installed with it, so a teacher at the menu
// does not carry them. Without its module the program is silent, as on a computer without sound.
class SoundModule final : public SoundPlayer
{
public:
    explicit SoundModule(const QString &defaultSoundPath);
    ~SoundModule() override;
    void play(const QString &hostPath) override;

private:
    QString m_defaultPath;
    bool m_tried = false;
    std::unique_ptr<SoundPlayer> m_player;
};
