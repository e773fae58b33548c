#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// Every message box and common dialog goes through here, so tests can answer them.
class Dialogs
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Risposta { Si, No, Annulla };
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
    // A question with Yes, No and Cancel.
    virtual Risposta domanda(QWidget *parent, const QString &text, const QString &title) = 0;
    // The host path chosen, or an empty string when the user cancelled.
    virtual QString file(QWidget *parent, const RichiestaFile &richiesta) = 0;
    // A solid colour, starting from initial; nothing when the user cancelled.
    virtual std::optional<QColor> colour(QWidget *parent, const QColor &initial) = 0;
    // A font, starting from initial; nothing when the user cancelled.
    virtual std::optional<QFont> font(QWidget *parent, const QFont &initial) = 0;
    // One line of text asked for with a prompt; nothing when the user cancelled.
    virtual std::optional<QString> input(QWidget *parent, const QString &prompt,
                                         const QString &title) = 0;
};

class QtDialogs final : public Dialogs
{
public:
    void message(QWidget *parent, const QString &text, const QString &title,
                 Icon icon) override;
    bool question(QWidget *parent, const QString &text, const QString &title) override;
    Risposta domanda(QWidget *parent, const QString &text, const QString &title) override;
    QString file(QWidget *parent, const RichiestaFile &richiesta) override;
    std::optional<QColor> colour(QWidget *parent, const QColor &initial) override;
    std::optional<QFont> font(QWidget *parent, const QFont &initial) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt,
                                 const QString &title) override;
};

// Records what would have been shown and gives the answers queued by a test (No and Cancel
// when none are left); for tests and for runs without a display. A colour, font or input
// answer queued as nothing cancels that dialog.
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
    Risposta domanda(QWidget *, const QString &text, const QString &) override
    {
        questions.append(text);
        return risposte.isEmpty() ? Risposta::Annulla : risposte.takeFirst();
    }
    QString file(QWidget *, const RichiestaFile &richiesta) override
    {
        fileRequests.append(richiesta);
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    std::optional<QColor> colour(QWidget *, const QColor &initial) override
    {
        colourRequests.append(initial);
        return colours.isEmpty() ? std::nullopt : colours.takeFirst();
    }
    std::optional<QFont> font(QWidget *, const QFont &initial) override
    {
        fontRequests.append(initial);
        return fonts.isEmpty() ? std::nullopt : fonts.takeFirst();
    }
    std::optional<QString> input(QWidget *, const QString &prompt, const QString &title) override
    {
        prompts.append(prompt);
        inputTitles.append(title);
        return inputs.isEmpty() ? std::nullopt : inputs.takeFirst();
    }
    QStringList messages;
    QStringList titles;
    QStringList questions;
    QList<bool> answers;
    QList<Risposta> risposte;
    QStringList files;
    QList<RichiestaFile> fileRequests;
    QList<QColor> colourRequests;
    QList<std::optional<QColor>> colours;
    QList<QFont> fontRequests;
    QList<std::optional<QFont>> fonts;
    QStringList prompts;
    QStringList inputTitles;
    QList<std::optional<QString>> inputs;
};
