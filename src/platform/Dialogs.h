#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every message box and common dialog goes through here, so tests can answer them.
class Dialogs
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    virtual ~Dialogs() = default;
    // A message with an OK button. An empty title shows the program's name.
    virtual void message(QWidget *parent, const QString &text, const QString &title = QString(),
                         Icon icon = Icon::None) = 0;
};

class QtDialogs final : public Dialogs
{
public:
    void message(QWidget *parent, const QString &text, const QString &title,
                 Icon icon) override;
};

// Records what would have been shown; for tests and for runs without a display.
class RecordingDialogs final : public Dialogs
{
public:
    void message(QWidget *, const QString &text, const QString &title, Icon) override
    {
        messages.append(text);
        titles.append(title);
    }
    QStringList messages;
    QStringList titles;
};
