#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>
#include <optional>

// Qt's own texts (the buttons of message boxes, the colour, font, file and page dialogs) and the
// formats of dates and numbers, in the program's language rather than in Qt's built-in English.
class QtTexts
{
public:
    // The locale a language file's name stands for: its name in its own language ("Italiano",
    // "Deutsch") or in English ("English", "Italian"), whatever the case. The user's own locale
    // when it speaks that language, so a British teacher keeps British dates.
    static std::optional<QLocale> localeOf(const QString &language, const QLocale &user = QLocale::system());

    // Switches Qt's texts and the default locale to the language; a name no locale answers to
    // leaves Qt's English and the user's locale.
    void follow(const QString &language);

private:
    QTranslator m_translator;
    bool m_installed = false;
};
