#include "core/AccessSettings.h"

#include "platform/PrivateProfile.h"

#include <algorithm>

namespace {

struct Campo
{
    const char16_t *section;
    const char16_t *key;
    int AccessSettings::*intero = nullptr;
    bool AccessSettings::*flag = nullptr;
    int SwitchTiming::*tempo = nullptr;
    bool SwitchTiming::*scelta = nullptr;
};

const Campo Campi[] = {
    {u"Switches", u"AcceptanceMs", nullptr, nullptr, &SwitchTiming::acceptanceMs},
    {u"Switches", u"RepeatGuardMs", nullptr, nullptr, &SwitchTiming::repeatGuardMs},
    {u"Switches", u"PauseAfterChoiceMs", nullptr, nullptr, &SwitchTiming::pauseAfterChoiceMs},
    {u"Switches", u"FirstItemPercent", nullptr, nullptr, &SwitchTiming::firstItemPercent},
    {u"Switches", u"ScanLoops", nullptr, nullptr, &SwitchTiming::scanLoops},
    {u"Switches", u"HoldToScan", nullptr, nullptr, nullptr, &SwitchTiming::holdToScan},
    {u"Highlight", u"FrameThickness", &AccessSettings::frameThickness},
    {u"Speech", u"SpeakScanning", nullptr, &AccessSettings::speakScanning},
    {u"Speech", u"ReadSentences", nullptr, &AccessSettings::readSentences},
    {u"Speech", u"Rate", &AccessSettings::voiceRate},
    {u"History", u"Keep", &AccessSettings::keepHistory},
};

const QString suffixBeside = QStringLiteral(".access.ini");

} // namespace

QString AccessSettings::pathBeside(const QString &profilePath)
{
    QString base = profilePath;
    const int dot = base.lastIndexOf(QLatin1Char('.'));
    const int slash = std::max(base.lastIndexOf(QLatin1Char('/')), base.lastIndexOf(QLatin1Char('\\')));
    if (dot > slash)
        base.truncate(dot);
    return base + suffixBeside;
}

bool AccessSettings::isFileBeside(QStringView fileName)
{
    return fileName.endsWith(suffixBeside, Qt::CaseInsensitive);
}

QByteArray AccessSettings::toBytes() const
{
    QByteArray bytes;
    for (const Campo &c : Campi) {
        int value = 0;
        if (c.intero)
            value = this->*c.intero;
        else if (c.flag)
            value = (this->*c.flag) ? 1 : 0;
        else if (c.tempo)
            value = timing.*c.tempo;
        else
            value = (timing.*c.scelta) ? 1 : 0;
        bytes = PrivateProfile::edit(bytes, c.section, c.key, QString::number(value));
    }
    return bytes;
}

AccessSettings AccessSettings::fromBytes(const QByteArray &bytes)
{
    const auto doc = PrivateProfile::Document::parse(bytes);
    AccessSettings s;
    for (const Campo &c : Campi) {
        bool ok = false;
        const int value = doc.value(c.section, c.key).trimmed().toInt(&ok);
        if (!ok)
            continue;
        if (c.intero)
            s.*c.intero = value;
        else if (c.flag)
            s.*c.flag = value != 0;
        else if (c.tempo)
            s.timing.*c.tempo = value;
        else
            s.timing.*c.scelta = value != 0;
    }
    s.timing = s.timing.limited();
    s.frameThickness = std::clamp(s.frameThickness, 0, 12);
    s.voiceRate = std::clamp(s.voiceRate, -10, 10);
    s.keepHistory = std::clamp(s.keepHistory, -1, 1);
    return s;
}
