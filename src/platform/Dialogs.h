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
    // A solid colour; nothing when the user cancelled. Nothing is preselected and nothing is
    // remembered from an earlier choice.
    virtual std::optional<QColor> colour(QWidget *parent) = 0;
    // A font, starting from initial; nothing when the user cancelled.
    virtual std::optional<QFont> font(QWidget *parent, const QFont &initial) = 0;
    // One line of text asked for with a prompt; nothing when the user cancelled.
    virtual std::optional<QString> input(QWidget *parent, const QString &prompt,
                                         const QString &title) = 0;
};

class QtDialogs final : public Dialogs
{
public:
    QtDialogs();
    void message(QWidget *parent, const QString &text, const QString &title,
                 Icon icon) override;
    bool question(QWidget *parent, const QString &text, const QString &title) override;
    Risposta domanda(QWidget *parent, const QString &text, const QString &title) override;
    QString file(QWidget *parent, const RichiestaFile &richiesta) override;
    std::optional<QColor> colour(QWidget *parent) override;
    std::optional<QFont> font(QWidget *parent, const QFont &initial) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt,
                                 const QString &title) override;
};
