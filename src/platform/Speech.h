#pragma once

#include <QLocale>
#include <QString>
#include <memory>

class QThread;

// A voice that reads texts aloud: sentences for pupils who cannot read them yet, and the names
// of what the scan lights for pupils who cannot see it well. Where no engine or voice is found
// it stays silent: reading aloud is a help, never a condition.
class Speech
{
public:
    enum class Kind {
        Text, // a sentence, read in the normal voice
        Cue,  // a scanned item, quieter, and cut short by the next one
    };
    virtual ~Speech() = default;
    // Says the text in the locale's language; rate from -10 (slowest) to 10 (fastest).
    virtual void say(const QString &text, const QLocale &locale, int rate, Kind kind) = 0;
    virtual void stop() = 0;
};

// The desktop's speech service through Qt. It runs on a thread of its own: the speech service
// can take seconds to answer (or never answer, with no sound device), and the pupil's window
// must not wait for it. The engine starts on first use, so a pupil who never has anything read
// pays nothing for it; while it is busy only the newest request is kept.
class QtSpeech final : public Speech
{
public:
    QtSpeech();
    ~QtSpeech() override;
    void say(const QString &text, const QLocale &locale, int rate, Kind kind) override;
    void stop() override;

    class Worker;

private:
    std::unique_ptr<QThread> m_thread;
    Worker *m_worker = nullptr; // lives on m_thread
};
