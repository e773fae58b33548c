#include "core/AppState.h"

#include "core/FormBase.h"
#include "core/Modulo1.h"
#include "core/WindowRegistry.h"
#include "lang/modLanguageSupport.h"
#include "layout/clsResize.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileInfo>

AppState::AppState(const Paths &p) : LanguageState(p, SettingsRoot::Programma)
{
    linguaCambiata = [this] {
        // The exercises build their sentences from these pieces: they follow the language too.
        CaricaFrasi(*this);
        if (windows) {
            for (QWidget *w : windows->loaded()) {
                MLSApplyToForm(*this, w);
                if (auto *form = qobject_cast<FormBase *>(w))
                    form->linguaCambiata();
            }
        }
    };
}

AppState::~AppState() = default;

void AppState::leggiFrase(const QString &testo)
{
    if (voce && accesso.readSentences)
        voce->say(testo, QLocale(), accesso.voiceRate, Speech::Kind::Text);
}

void AppState::annuncia(const QString &nome, bool scelta)
{
    if (voce && accesso.speakScanning)
        voce->say(nome, QLocale(), accesso.voiceRate, scelta ? Speech::Kind::Text : Speech::Kind::Cue);
}

History *AppState::storia()
{
    if (!m_storia) {
        if (fileStoria.isEmpty())
            fileStoria = paths.toHost(SettingsRoot::Programma + QStringLiteral("storia.sqlite"));
        m_storia = std::make_unique<History>(fileStoria);
        if (m_storia->state() == History::State::SetAside && dialogs && !m_storiaSegnalata) {
            m_storiaSegnalata = true;
            QString testo = MLSGetString(*this, QStringLiteral("0218"));
            if (!testo.contains(QLatin1String("%1")))
                testo = QString::fromUtf8("La storia dei progressi era danneggiata: è stata messa da parte come \"%1\".");
            dialogs->message(QApplication::activeWindow(),
                             testo.arg(QFileInfo(m_storia->setAsidePath()).fileName()), QString(),
                             Dialogs::Icon::Warning);
        }
    }
    if (m_storia->state() == History::State::Unavailable) {
        storiaNonDisponibile();
        return nullptr;
    }
    return m_storia.get();
}

bool AppState::storiaAttiva() const
{
    return accesso.keepHistory < 0 ? profilo.TieniTraccia : accesso.keepHistory > 0;
}

void AppState::registraCorsa(History::Run run)
{
    if (!storiaAttiva() || (m_storia && m_storia->state() == History::State::Unavailable))
        return;
    History *h = storia();
    if (!h)
        return;
    run.pupil = pupilloStoria();
    run.ended = QDateTime::currentDateTime();
    if (!h->record(run))
        storiaNonDisponibile();
}

void AppState::storiaNonDisponibile()
{
    // Once a session: a pupil at work must not meet the same box after every exercise.
    if (m_storiaSegnalata || !dialogs)
        return;
    m_storiaSegnalata = true;
    QString testo = MLSGetString(*this, QStringLiteral("0219"));
    if (testo.isEmpty())
        testo = QString::fromUtf8("La storia dei progressi non può essere salvata: il programma continua senza.");
    dialogs->message(QApplication::activeWindow(), testo, QString(), Dialogs::Icon::Warning);
}
