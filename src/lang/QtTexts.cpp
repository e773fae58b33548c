#include "lang/QtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

std::optional<QLocale> QtTexts::localeOf(const QString &language, const QLocale &user)
{
    const QString name = language.trimmed();
    if (name.isEmpty())
        return std::nullopt;
    auto speaks = [&name](const QLocale &l) {
        return l.nativeLanguageName().compare(name, Qt::CaseInsensitive) == 0 ||
               QLocale::languageToString(l.language()).compare(name, Qt::CaseInsensitive) == 0;
    };
    if (speaks(user) || speaks(QLocale(user.language())))
        return user;
    const auto all = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale &l : all) {
        if (l.language() != QLocale::C && speaks(l))
            return QLocale(l.language()); // the language's main territory
    }
    return std::nullopt;
}

void QtTexts::follow(const QString &language)
{
    const std::optional<QLocale> locale = localeOf(language);
    QLocale::setDefault(locale.value_or(QLocale::system()));
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
    m_installed = false;
    // English needs no catalogue: Qt's texts are written in it.
    if (locale && locale->language() != QLocale::English &&
        m_translator.load(*locale, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_installed = QCoreApplication::installTranslator(&m_translator);
}
