#include "platform/Speech.h"

#include <QMutex>
#include <QTextToSpeech>
#include <QThread>

#include <algorithm>
#include <optional>

class QtSpeech::Worker : public QObject
{
public:
    struct Request
    {
        QString text;
        QLocale locale;
        int rate = 0;
        Kind kind = Kind::Text;
        bool stop = false;
    };

    // Called from the window's thread: keeps the request, and wakes the worker unless it is
    // already due to run.
    void post(const Request &r)
    {
        QMutexLocker lock(&m_mutex);
        const bool due = m_pending.has_value();
        m_pending = r;
        if (!due)
            QMetaObject::invokeMethod(this, [this] { run(); }, Qt::QueuedConnection);
    }

private:
    void run()
    {
        std::optional<Request> r;
        {
            QMutexLocker lock(&m_mutex);
            r.swap(m_pending);
        }
        if (!r || !pronto())
            return;
        if (r->stop) {
            m_tts->stop();
            return;
        }
        // A sentence being read is not cut short by the scan moving on.
        if (r->kind == Kind::Cue && m_last == Kind::Text && m_tts->state() == QTextToSpeech::Speaking)
            return;
        if (m_language != r->locale.language()) {
            // A voice of the language, or none: the wrong language read aloud is worse than
            // silence.
            const QList<QLocale> offered = m_tts->availableLocales();
            const auto same = std::find_if(offered.cbegin(), offered.cend(), [&](const QLocale &l) {
                return l.language() == r->locale.language();
            });
            if (!offered.isEmpty() && same == offered.cend())
                return;
            m_tts->setLocale(same != offered.cend() ? *same : r->locale);
            m_language = r->locale.language();
        }
        m_tts->setRate(std::clamp(r->rate, -10, 10) / 10.0);
        m_tts->setVolume(r->kind == Kind::Cue ? 0.5 : 1.0);
        m_last = r->kind;
        m_tts->say(r->text);
    }

    bool pronto()
    {
        if (!m_tried) {
            m_tried = true;
            // speech-dispatcher speaks Italian and English; other engines may speak neither.
            const QStringList engines = QTextToSpeech::availableEngines();
            if (!engines.isEmpty())
                m_tts = std::make_unique<QTextToSpeech>(
                    engines.contains(QStringLiteral("speechd")) ? QStringLiteral("speechd") : QString());
            if (m_tts && m_tts->state() == QTextToSpeech::Error)
                m_tts.reset();
        }
        return m_tts != nullptr;
    }

    QMutex m_mutex;
    std::optional<Request> m_pending;
    std::unique_ptr<QTextToSpeech> m_tts;
    bool m_tried = false;
    std::optional<QLocale::Language> m_language;
    Kind m_last = Kind::Cue;
};

QtSpeech::QtSpeech() : m_thread(std::make_unique<QThread>()), m_worker(new Worker)
{
    m_worker->moveToThread(m_thread.get());
    QObject::connect(m_thread.get(), &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start();
}

QtSpeech::~QtSpeech()
{
    m_thread->quit();
    // A speech service that never answers must not keep the program from ending: the thread
    // is then left to the end of the process.
    if (!m_thread->wait(QDeadlineTimer(1000)))
        (void)m_thread.release();
}

void QtSpeech::say(const QString &text, const QLocale &locale, int rate, Kind kind)
{
    if (!text.trimmed().isEmpty())
        m_worker->post({text, locale, rate, kind, false});
}

void QtSpeech::stop()
{
    m_worker->post({QString(), QLocale(), 0, Kind::Text, true});
}
