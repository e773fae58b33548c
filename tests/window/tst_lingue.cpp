// The shipped language files against the program: every numbered string the code asks for is
// there in each language, and every per-window key names a real control of that window.

#include "QtWarnings.h"
#include "TestEnv.h"
#include "about/FormInfo.h"
#include "core/FormAvvio.h"
#include "exercises/FormEs1.h"
#include "exercises/FormEs2.h"
#include "exercises/FormEs5.h"
#include "exercises/FormEs8.h"
#include "exercises/FormGriglia.h"
#include "lang/modLanguageSupport.h"
#include "log/FormEserciziEseguiti.h"
#include "menu/FormMenu.h"
#include "platform/CodePage.h"
#include "platform/PrivateProfile.h"
#include "print/Form1.h"
#include "profile/FormConfigura.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <functional>

namespace {

QByteArray languageBytes(const QString &language)
{
    QFile f(QStringLiteral(VORBELLO_SOURCE_DATA "/lgnvorbello/") + language + QStringLiteral(".lng"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Keys of one section, in file order, from the raw text.
QStringList keysOf(const QString &language, const QString &section)
{
    QStringList keys;
    bool inside = false;
    for (const QString &line : CodePage::splitLines(CodePage::decode(languageBytes(language)))) {
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1Char('[')))
            inside = t.compare(QLatin1Char('[') + section + QLatin1Char(']'), Qt::CaseInsensitive) == 0;
        else if (inside && t.contains(QLatin1Char('=')) && !t.startsWith(QLatin1Char(';')))
            keys.append(t.section(QLatin1Char('='), 0, 0).trimmed());
    }
    return keys;
}

template <class Form> std::function<QWidget *(AppState &)> make()
{
    return [](AppState &s) { return new Form(s); };
}

const QList<QPair<const char *, std::function<QWidget *(AppState &)>>> Windows = {
    {"FormAvvio", make<FormAvvio>()}, {"FormMenu", make<FormMenu>()}, {"FormInfo", make<FormInfo>()},
    {"FormEs1", make<FormEs1>()}, {"FormEs2", make<FormEs2>()}, {"FormEs8", make<FormEs8>()},
    {"FormEs5", make<FormEs5>()}, {"FormEs6", make<FormEs6>()}, {"FormEs7", make<FormEs7>()},
    {"FormEserciziEseguiti", make<FormEserciziEseguiti>()}, {"FormConfigura", make<FormConfigura>()},
    {"Form1", make<Form1>()}};

} // namespace

class TestLingue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    void numberedStrings_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Italiano") << QStringLiteral("Italiano");
        QTest::newRow("English") << QStringLiteral("English");
    }
    // A missing numbered string shows as an empty caption or a broken sentence.
    void numberedStrings()
    {
        QFETCH(QString, language);
        const QByteArray bytes = languageBytes(language);
        QVERIFY(bytes.size() <= 64000); // larger files are read by another, stricter rule
        const auto doc = PrivateProfile::Document::parse(bytes);
        QStringList keys = {QStringLiteral("0001")};
        for (int k = 3; k <= 248; ++k)
            if ((k < 141 || k > 148) && (k < 170 || k > 189))
                keys << QStringLiteral("%1").arg(k, 4, 10, QLatin1Char('0'));
        for (const QString &key : std::as_const(keys)) {
            QVERIFY2(!doc.value(u"Strings", key).isEmpty(), qPrintable(language + QLatin1Char(' ') + key));
            // Sentences are joined with blanks the program adds itself.
            QVERIFY2(!doc.value(u"Strings", key).contains(QStringLiteral("  ")), qPrintable(key));
        }
        for (const char *key : {"9996", "9997", "9998", "9999"})
            QVERIFY(doc.contains(u"Strings", QString::fromLatin1(key)));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("window");
        for (const char *lang : {"Italiano", "English"})
            for (int i = 0; i < Windows.size(); ++i)
                QTest::addRow("%s %s", lang, Windows[i].first) << QString::fromLatin1(lang) << i;
    }
    // A key whose control name is misspelt is silently never applied.
    void controls()
    {
        QFETCH(QString, language);
        QFETCH(int, window);
        TestEnv env;
        // The drawings window loads its pictures at once; a missing one is a Qt warning.
        for (int i = 1; i <= 6; ++i)
            QVERIFY(env.ship(QStringLiteral("figure/tazza%1.svg").arg(i)));
        const std::unique_ptr<QWidget> w(Windows[window].second(*env.state));
        QSet<QString> controls{w->objectName()};
        for (QObject *o : w->findChildren<QObject *>()) {
            const int i = ControlText::index(o);
            controls.insert(i >= 0 ? QStringLiteral("%1(%2)").arg(o->objectName()).arg(i) : o->objectName());
        }
        const QStringList keys = keysOf(language, QString::fromLatin1(Windows[window].first));
        QVERIFY(!keys.isEmpty());
        static const QRegularExpression form(QStringLiteral("^(.+)\\.(Caption|ToolTipText|Tag|TabCaption\\(\\d+\\))$"));
        for (const QString &key : keys) {
            const auto m = form.match(key);
            QVERIFY2(m.hasMatch() && controls.contains(m.captured(1)),
                     qPrintable(QString::fromLatin1(Windows[window].first) + QLatin1Char(' ') + key));
        }
    }
};

QTEST_MAIN(TestLingue)
#include "tst_lingue.moc"
