#include "platform/Speech.h"

#include <QTextToSpeech>

#include <algorithm>

QtSpeech::QtSpeech() = default;
QtSpeech::~QtSpeech() = default;

bool QtSpeech::pronto()
{
    if (!m_provato) {
        m_provato = true;
        // speech-dispatcher speaks Italian and English; other engines may speak neither.
        const QStringList engines = QTextToSpeech::availableEngines();
        const QString engine = engines.contains(QStringLiteral("speechd")) ? QStringLiteral("speechd")
                                                                           : QString();
        if (!engines.isEmpty())
            m_tts = std::make_unique<QTextToSpeech>(engine);
        if (m_tts && m_tts->state() == QTextToSpeech::Error)
            m_tts.reset();
    }
    return m_tts != nullptr;
}

void QtSpeech::say(const QString &text, const QLocale &locale, int rate, Kind kind)
{
    if (text.trimmed().isEmpty() || !pronto())
        return;
    // A sentence being read is not cut short by the scan moving on.
    if (kind == Kind::Cue && m_ultimo == Kind::Text && m_tts->state() == QTextToSpeech::Speaking)
        return;
    if (m_lingua != locale.language()) {
        // A voice of the language, or none: the wrong language read aloud is worse than silence.
        QLocale chosen = locale;
        const QList<QLocale> offered = m_tts->availableLocales();
        const auto same = std::find_if(offered.cbegin(), offered.cend(), [&](const QLocale &l) {
            return l.language() == locale.language();
        });
        if (!offered.isEmpty() && same == offered.cend())
            return;
        if (same != offered.cend())
            chosen = *same;
        m_tts->setLocale(chosen);
        m_lingua = locale.language();
    }
    m_tts->setRate(std::clamp(rate, -10, 10) / 10.0);
    m_tts->setVolume(kind == Kind::Cue ? 0.5 : 1.0);
    m_ultimo = kind;
    m_tts->say(text);
}

void QtSpeech::stop()
{
    if (m_tts)
        m_tts->stop();
}
