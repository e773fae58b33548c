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

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(VORBELLO_SOURCE_DATA "/lgnvorbello/") + name;
}

// Keys of one section, in file order, from the raw text.
QStringList keysOf(const QString &language, const QString &section)
{
    QFile f(dataFile(language + QStringLiteral(".lng")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList keys;
    bool inside = false;
    for (const QString &line : CodePage::splitLines(CodePage::decode(f.readAll()))) {
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            inside = t.compare(QLatin1Char('[') + section + QLatin1Char(']'), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inside && t.contains(QLatin1Char('=')) && !t.startsWith(QLatin1Char(';')))
            keys.append(t.section(QLatin1Char('='), 0, 0).trimmed());
    }
    return keys;
}

// "Name" or "Name(i)" for every named control of a window, as the language layer builds them.
QSet<QString> controlsOf(QWidget *window)
{
    QSet<QString> out{window->objectName()};
    for (QObject *o : window->findChildren<QObject *>()) {
        if (o->objectName().isEmpty())
            continue;
        const int i = ControlText::index(o);
        out.insert(i >= 0 ? QStringLiteral("%1(%2)").arg(o->objectName()).arg(i) : o->objectName());
    }
    return out;
}

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
        QFile f(dataFile(language + QStringLiteral(".lng")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.size() <= 64000); // larger files are read by another, stricter rule
        const auto doc = PrivateProfile::Document::parse(f.readAll());
        QStringList keys = {QStringLiteral("0001"), QStringLiteral("0164"), QStringLiteral("0165")};
        for (int k = 3; k <= 140; ++k)
            keys << QStringLiteral("%1").arg(k, 4, 10, QLatin1Char('0'));
        for (int k = 149; k <= 163; ++k)
            keys << QStringLiteral("%1").arg(k, 4, 10, QLatin1Char('0'));
        for (const QString &key : std::as_const(keys)) {
            QVERIFY2(!doc.value(u"Strings", key).isEmpty(), qPrintable(language + QLatin1Char(' ') + key));
            // Sentences are joined with blanks the program adds itself.
            QVERIFY2(!doc.value(u"Strings", key).contains(QStringLiteral("  ")), qPrintable(key));
        }
        for (const char *key : {"9996", "9997", "9998", "9999"})
            QVERIFY(doc.contains(u"Strings", QString::fromLatin1(key)));
    }

    // The claim table that the sentence truth test reads: well formed, and every key it speaks
    // of is a numbered string of each language.
    void claimTable()
    {
        QFile f(QStringLiteral(VORBELLO_TEST_DATA "/claims.tsv"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.size() > 100);
        QVERIFY(lines.first().startsWith(QStringLiteral("key\trole\tfeature\tvalue")));
        QSet<QString> seen;
        for (const QString &line : lines.mid(1)) {
            const QStringList c = line.split(QLatin1Char('\t'));
            QVERIFY2(c.size() >= 5, qPrintable(line));
            QVERIFY2(!seen.contains(c[0]), qPrintable(c[0]));
            seen.insert(c[0]);
            QVERIFY2(QStringList({"lead", "join", "feature claim"}).contains(c[1]), qPrintable(line));
            if (c[1] == QLatin1String("feature claim")) {
                bool ok = false;
                const int feature = c[2].toInt(&ok);
                QVERIFY2(ok && feature >= 1 && feature <= 7, qPrintable(line));
            }
            for (const char *lang : {"Italiano", "English"}) {
                QFile l(dataFile(QString::fromLatin1(lang) + QStringLiteral(".lng")));
                QVERIFY(l.open(QIODevice::ReadOnly));
                QVERIFY2(PrivateProfile::Document::parse(l.readAll()).contains(u"Strings", c[0]),
                         qPrintable(QString::fromLatin1(lang) + QLatin1Char(' ') + c[0]));
            }
        }
    }

    void controls_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("window");
        for (const char *lang : {"Italiano", "English"})
            for (const char *win : {"FormAvvio", "FormMenu", "FormInfo", "FormEs1", "FormEs2", "FormEs8", "FormEs5", "FormEs6", "FormEs7", "FormEserciziEseguiti", "FormConfigura", "Form1"})
                QTest::addRow("%s %s", lang, win) << QString::fromLatin1(lang) << QString::fromLatin1(win);
    }
    // A key whose control name is misspelt is silently never applied.
    void controls()
    {
        QFETCH(QString, language);
        QFETCH(QString, window);
        TestEnv env;
        QWidget *w = nullptr;
        if (window == QLatin1String("FormAvvio"))
            w = new FormAvvio(*env.state);
        else if (window == QLatin1String("FormMenu"))
            w = new FormMenu(*env.state);
        else if (window == QLatin1String("FormEs1"))
            w = new FormEs1(*env.state);
        else if (window == QLatin1String("FormEs2"))
            w = new FormEs2(*env.state);
        else if (window == QLatin1String("FormEs8"))
            w = new FormEs8(*env.state);
        else if (window == QLatin1String("FormEs5"))
            w = new FormEs5(*env.state);
        else if (window == QLatin1String("FormEs6"))
            w = new FormEs6(*env.state);
        else if (window == QLatin1String("FormEs7"))
            w = new FormEs7(*env.state);
        else if (window == QLatin1String("FormEserciziEseguiti"))
            w = new FormEserciziEseguiti(*env.state);
        else if (window == QLatin1String("FormConfigura"))
            w = new FormConfigura(*env.state);
        else if (window == QLatin1String("Form1")) {
            // Its drawings are loaded at once; a missing one is a Qt warning.
            for (int i = 1; i <= 6; ++i) {
                const QString file = QStringLiteral("/figure/tazza%1.svg").arg(i);
                QVERIFY(writeBytes(env.prog() + file,
                                   fileBytes(QStringLiteral(VORBELLO_SOURCE_DATA) + file)));
            }
            w = new Form1(*env.state);
        }
        else
            w = new FormInfo(*env.state);
        const QSet<QString> controls = controlsOf(w);
        const QStringList keys = keysOf(language, window);
        QVERIFY(!keys.isEmpty());
        static const QRegularExpression form(
            QStringLiteral("^(.+)\\.(Caption|ToolTipText|Tag|TabCaption\\(\\d+\\))$"));
        for (const QString &key : keys) {
            const auto m = form.match(key);
            QVERIFY2(m.hasMatch(), qPrintable(key));
            QVERIFY2(controls.contains(m.captured(1)), qPrintable(window + QLatin1Char(' ') + key));
        }
        delete w;
    }
};

QTEST_MAIN(TestLingue)
#include "tst_lingue.moc"
