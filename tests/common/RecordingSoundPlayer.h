#pragma once

#include "platform/SoundPlayer.h"

#include <QStringList>

// Test double: remembers every requested path, in order, and plays nothing.
class RecordingSoundPlayer final : public SoundPlayer
{
public:
    void play(const QString &hostPath) override { requests.append(hostPath); }

    QStringList requests;
};
