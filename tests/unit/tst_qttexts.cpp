// Qt's own texts and the date formats follow the program's language, not Qt's English nor the
// machine's locale.

#include "QtWarnings.h"
#include "lang/QtTexts.h"

#include <QCoreApplication>
#include <QDate>
#include <QTest>

class TestQtTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    void localeOf_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("expected"); // empty: none
        QTest::newRow("own name") << "Italiano" << "en_US" << "it_IT";
        QTest::newRow("any case") << "italiano" << "en_US" << "it_IT";
        QTest::newRow("English name") << "German" << "en_US" << "de_DE";
        QTest::newRow("the user's territory kept") << "English" << "en_GB" << "en_GB";
        QTest::newRow("no such language") << "Klingon" << "it_IT" << "";
        QTest::newRow("empty") << "" << "it_IT" << "";
    }
    void localeOf()
    {
        QFETCH(QString, language);
        QFETCH(QString, user);
        QFETCH(QString, expected);
        const auto l = QtTexts::localeOf(language, QLocale(user));
        QCOMPARE(l ? l->name() : QString(), expected);
    }

    // The buttons of every message box and the log's date, both ways.
    void follow()
    {
        QtTexts texts;
        texts.follow(QStringLiteral("Italiano"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
        QCOMPARE(QLocale().toString(QDate(2026, 12, 6), QLocale::ShortFormat), QStringLiteral("06/12/26"));
        texts.follow(QStringLiteral("English"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
        QCOMPARE(QLocale().language(), QLocale::English);
    }
};

QTEST_GUILESS_MAIN(TestQtTexts)
#include "tst_qttexts.moc"
