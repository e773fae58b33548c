#include "platform/SoundPlayer.h"

#include "platform/ProgramModule.h"

SoundModule::SoundModule(const QString &defaultSoundPath) : m_defaultPath(defaultSoundPath) {}

SoundModule::~SoundModule() = default;

void SoundModule::play(const QString &hostPath)
{
    if (!m_tried) {
        m_tried = true;
        using Make = SoundPlayer *(*)(const QString &);
        if (auto make = reinterpret_cast<Make>(
                ProgramModuleFunction(QStringLiteral("vorbello_sound.so"), "vorbello_sound_player")))
            m_player.reset(make(m_defaultPath));
    }
    if (m_player)
        m_player->play(hostPath);
}
