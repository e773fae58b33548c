#pragma once

#include "scanning/SwitchTiming.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

// What a pupil needs beyond the profile to use switches and to be read to. It is kept in a file
// of its own beside the profile, so profiles stay byte for byte as they are; every default
// leaves the program as it was without it.
struct AccessSettings
{
    SwitchTiming timing;
    int frameThickness = 0; // a frame this many pixels wide round the highlight (0: fill only)
    bool speakScanning = false;
    bool readSentences = false;
    int voiceRate = 0; // -10 slowest .. 10 fastest
    // Whether runs go into the history of progress: -1 as the profile keeps its log, 0 never,
    // 1 always.
    int keepHistory = -1;

    bool operator==(const AccessSettings &) const = default;

    // The file beside a profile: "Anna.INI" gives "Anna.access.ini".
    static QString pathBeside(const QString &profilePath);
    // Whether a file name is one that pathBeside() gives, whatever its case: such a file is
    // never a profile.
    static bool isFileBeside(QStringView fileName);
    // As INI text; fromBytes() takes the default for anything missing, unreadable or out of
    // range, so a damaged file never stops a pupil from working.
    QByteArray toBytes() const;
    static AccessSettings fromBytes(const QByteArray &bytes);
};
