#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Every message box and common dialog goes through here, so tests can answer them.
class Dialogs
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    // An open or save file dialog: one filter pattern ("*.rpt"), a starting folder (host path)
    // and the extension added to a name typed without one. Saving asks before overwriting.
    struct RichiestaFile
    {
        bool apri = true;
        QString titolo;
        QString nome;
        QString filtro;
        QString cartella;
        QString estensione;
    };

    virtual ~Dialogs() = default;
    // A message with an OK button. An empty title shows the program's name.
    virtual void message(QWidget *parent, const QString &text, const QString &title = QString(),
                         Icon icon = Icon::None) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool question(QWidget *parent, const QString &text, const QString &title) = 0;
    // The host path chosen, or an empty string when the user cancelled.
    virtual QString file(QWidget *parent, const RichiestaFile &richiesta) = 0;
};

class QtDialogs final : public Dialogs
{
public:
    void message(QWidget *parent, const QString &text, const QString &title,
                 Icon icon) override;
    bool question(QWidget *parent, const QString &text, const QString &title) override;
    QString file(QWidget *parent, const RichiestaFile &richiesta) override;
};

// Records what would have been shown and gives the answers queued by a test (No and Cancel
// when none are left); for tests and for runs without a display.
class RecordingDialogs final : public Dialogs
{
public:
    void message(QWidget *, const QString &text, const QString &title, Icon) override
    {
        messages.append(text);
        titles.append(title);
    }
    bool question(QWidget *, const QString &text, const QString &) override
    {
        questions.append(text);
        return !answers.isEmpty() && answers.takeFirst();
    }
    QString file(QWidget *, const RichiestaFile &richiesta) override
    {
        fileRequests.append(richiesta);
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QStringList messages;
    QStringList titles;
    QStringList questions;
    QList<bool> answers;
    QStringList files;
    QList<RichiestaFile> fileRequests;
};
