#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>

// Records what would have been shown and gives the answers queued by a test (No and Cancel
// when none are left). A colour, font or input answer queued as nothing cancels that dialog.
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
    std::optional<QColor> colour(QWidget *owner) override
    {
        colourRequests.append(owner);
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
    QList<QWidget *> colourRequests; // the owners
    QList<std::optional<QColor>> colours;
    QList<QFont> fontRequests;
    QList<std::optional<QFont>> fonts;
    QStringList prompts;
    QStringList inputTitles;
    QList<std::optional<QString>> inputs;
};
