#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>

// Records what would have been shown and gives the answers queued by a test (No and Cancel
// when none are left). The colour and font dialogs are always cancelled; an input answer
// queued as nothing cancels that dialog.
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
    std::optional<QColor> colour(QWidget *) override { return std::nullopt; }
    std::optional<QFont> font(QWidget *, const QFont &) override { return std::nullopt; }
    std::optional<QString> input(QWidget *, const QString &prompt, const QString &) override
    {
        prompts.append(prompt);
        return inputs.isEmpty() ? std::nullopt : inputs.takeFirst();
    }
    QStringList messages;
    QStringList titles;
    QStringList questions;
    QList<bool> answers;
    QList<Risposta> risposte;
    QStringList files;
    QList<RichiestaFile> fileRequests;
    QStringList prompts;
    QList<std::optional<QString>> inputs;
};
