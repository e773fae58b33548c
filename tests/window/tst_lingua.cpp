#include "QtWarnings.h"
#include "TestEnv.h"
#include "lang/modLanguageSupport.h"
#include "platform/PrivateProfile.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <sys/stat.h>

namespace {

// A window shaped like the program's: single controls, a control array, a menu entry, tabs.
struct Window
{
    QWidget w;
    QPushButton *single = button("cmdOk", -1);
    QPushButton *el0 = button("Command1", 0);
    QPushButton *el2 = button("Command1", 2);
    QLabel *label = new QLabel(QStringLiteral("etichetta"), &w);
    QAction *menu = new QAction(QStringLiteral("menu"), &w);
    QTabBar *tabs = new QTabBar(&w);

    QPushButton *button(const char *name, int index)
    {
        auto *b = new QPushButton(QStringLiteral("design%1").arg(index), &w);
        b->setObjectName(QString::fromLatin1(name));
        if (index >= 0)
            ControlText::setIndex(b, index);
        return b;
    }
    Window()
    {
        w.setObjectName(QStringLiteral("FormProva"));
        w.setWindowTitle(QStringLiteral("titolo di progetto"));
        label->setObjectName(QStringLiteral("Label1"));
        ControlText::setTag(label, QStringLiteral("@L,T"));
        menu->setObjectName(QStringLiteral("mnuEsci"));
        tabs->setObjectName(QStringLiteral("TabStrip1"));
        for (int i = 0; i < 3; ++i)
            tabs->addTab(QStringLiteral("tab%1").arg(i));
    }
};

QString languageFile(const TestEnv &env, const char *name)
{
    return env.prog() + QStringLiteral("\\lgnvorbello\\") + QString::fromLatin1(name) + QStringLiteral(".lng");
}

} // namespace

class TestLingua : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // Each control must look up its own key form: array elements by Name(Index), the window by
    // its own name, all in the window's section; empty values blank only title and tag.
    void applyToForm()
    {
        TestEnv env;
        env.language(QStringLiteral("Italiano"),
                     QStringLiteral("[FormProva]\nFormProva.Caption=Finestra\nFormProva.Tag=\n"
                                    "cmdOk.Caption=Va bene\ncmdOk.ToolTipText=Conferma\n"
                                    "Command1(0).Caption=Primo\nCommand1(2).Caption=\n"
                                    "Command1.Caption=sbagliato\nLabel1.Tag=\nLabel1.Caption=Però\n"
                                    "mnuEsci.Caption=Esci\nTabStrip1.TabCaption(0)=Colori\n"
                                    "TabStrip1.TabCaption(1)=\n[Altro]\ncmdOk.Caption=da un'altra finestra\n"));
        Window win;
        ControlText::setTag(&win.w, QStringLiteral("vecchio"));
        env.state->LinguaCorrente = QStringLiteral("Italiano");
        MLSApplyToForm(*env.state, &win.w);
        // An empty value keeps a caption and a tag; tabs take even empty texts, and a missing key.
        const QStringList shown{win.w.windowTitle(), ControlText::tag(&win.w), win.single->text(),
                                win.single->toolTip(), win.el0->text(), win.el2->text(), win.label->text(),
                                ControlText::tag(win.label), win.menu->text(), win.tabs->tabText(0),
                                win.tabs->tabText(1), win.tabs->tabText(2)};
        QCOMPARE(shown, (QStringList{"Finestra", "", "Va bene", "Conferma", "Primo", "design2", QString::fromUtf8("Però"),
                                     "@L,T", "Esci", "Colori", "", ""}));
    }

    // A missing file, or a window key the file lacks, must not blank the title for good; an
    // untitled window stays untitled. Tabs change only when there is a file.
    void titleKept_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("body"); // empty: no file
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("tab1");
        QTest::newRow("no such file") << "Klingon" << "" << "titolo di progetto" << "tab1";
        QTest::newRow("no language yet") << "" << "" << "titolo di progetto" << "tab1";
        QTest::newRow("window key missing") << "Italiano" << "[FormProva]\ncmdOk.Caption=Va bene\n"
                                            << "titolo di progetto" << "";
        QTest::newRow("untitled window") << "Italiano" << "[FormProva]\nFormProva.Caption=Finestra\n" << "" << "";
    }
    void titleKept()
    {
        QFETCH(QString, language);
        QFETCH(QString, body);
        QFETCH(QString, title);
        QFETCH(QString, tab1);
        TestEnv env;
        if (!body.isEmpty())
            env.language(language, body);
        Window win;
        win.w.setWindowTitle(title);
        env.state->LinguaCorrente = language;
        MLSApplyToForm(*env.state, &win.w);
        QCOMPARE(win.w.windowTitle(), title);
        QCOMPARE(win.tabs->tabText(1), tab1);
        QCOMPARE(win.single->text(), body.contains(QStringLiteral("cmdOk")) ? QStringLiteral("Va bene")
                                                                             : QStringLiteral("design-1"));
    }

    // A reader handed out for one pass stays valid while the store reads the file again; the
    // store itself never answers from a stale copy, even after a change of the same size.
    void readerOutlivesReload()
    {
        TestEnv env;
        env.language(QStringLiteral("X"), QStringLiteral("[S]\nk=uno\n"));
        const QString file = languageFile(env, "X");
        const IniStore::Lettore reader = env.state->ini.lettore(file);
        env.language(QStringLiteral("X"), QStringLiteral("[S]\nk=due\n"));
        QFile f(env.prog() + QStringLiteral("/lgnvorbello/X.lng"));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
        f.close();
        QCOMPARE(env.state->ini.LeggiIni(file, QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("due"));
        env.state->ini.ScriviIni(file, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("tre, più lungo"));
        QCOMPARE(reader(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("uno"));
        QCOMPARE(reader(QStringLiteral("S"), QStringLiteral("manca")), std::nullopt);
        QCOMPARE(env.state->ini.LeggiIni(file, QStringLiteral("S"), QStringLiteral("k")), QString::fromUtf8("tre, più lungo"));
        // What the store wrote is not taken for what another writer then left.
        const QString relative = QStringLiteral("prog/lgnvorbello/X.lng");
        QVERIFY(env.put(relative, env.get(relative).replace("tre", "TRE")));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(9), QFileDevice::FileModificationTime));
        f.close();
        QCOMPARE(env.state->ini.LeggiIni(file, QStringLiteral("S"), QStringLiteral("k")), QString::fromUtf8("TRE, più lungo"));
        QFile::remove(f.fileName());
        QVERIFY(!env.state->ini.LeggiIni(file, QStringLiteral("S"), QStringLiteral("k")));
    }

    // A language file saved as UTF-8 with a byte-order mark keeps its first section and its
    // accented letters.
    void utf8WithByteOrderMark()
    {
        TestEnv env;
        env.put(QStringLiteral("prog/lgnvorbello/X.lng"),
                QByteArray("\xEF\xBB\xBF[Strings]\r\n0001=Vorbello \xC3\xA8 gi\xC3\xA0 aperto\r\n"));
        QCOMPARE(env.state->ini.LeggiIni(languageFile(env, "X"), QStringLiteral("Strings"), QStringLiteral("0001")),
                 QString::fromUtf8("Vorbello è già aperto"));
    }

    // Numbered strings: the language comes from LangSetting.ini the first time it is needed.
    void getString_data()
    {
        QTest::addColumn<QByteArray>("setting"); // empty: no LangSetting.ini at all
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("language");
        const QByteArray english = "[Language]\r\nCurrentLanguage=English\r\n";
        QTest::newRow("recorded language") << english << "0001" << "Already open" << "English";
        QTest::newRow("missing key") << english << "0999" << "" << "English";
        QTest::newRow("recorded file missing: the first usable one, not blank texts")
            << QByteArray("[Language]\r\nCurrentLanguage=Klingon\r\n") << "0001" << "Già aperto" << "Deutsch";
        QTest::newRow("recorded file without its texts")
            << QByteArray("[Language]\r\nCurrentLanguage=Vuoto\r\n") << "0001" << "Già aperto" << "Deutsch";
        QTest::newRow("recorded name is case-sensitive for the menu only")
            << QByteArray("[Language]\r\nCurrentLanguage=english\r\n") << "0001" << "Already open" << "english";
        QTest::newRow("no setting file: first language taken") << QByteArray() << "0001" << "Già aperto" << "Deutsch";
    }
    void getString()
    {
        QFETCH(QByteArray, setting);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QFETCH(QString, language);
        TestEnv env;
        env.language(QStringLiteral("English"), QStringLiteral("[Strings]\n0001=Already open\n"));
        env.language(QStringLiteral("Deutsch"), QStringLiteral("[Strings]\n0001=Già aperto\n"));
        env.language(QStringLiteral("Vuoto"), QStringLiteral("[Testi]\n0001=Non letto\n"));
        if (!setting.isEmpty())
            env.put(QStringLiteral("prog/lgnvorbello/LangSetting.ini"), setting);
        QCOMPARE(MLSGetString(*env.state, key), expected);
        QCOMPARE(env.state->LinguaCorrente, language);
    }

    // With no LangSetting.ini, the language chosen must be recorded so the next start agrees;
    // with no language at all, strings are empty and nothing is written.
    void missingSetting()
    {
        TestEnv env;
        QCOMPARE(MLSGetString(*env.state, QStringLiteral("0001")), QString());
        QVERIFY(!env.exists(QStringLiteral("prog/lgnvorbello/LangSetting.ini")));
        QVERIFY(ElencoLingue(*env.state).isEmpty());
        env.language(QStringLiteral("Italiano"), QStringLiteral("[Strings]\n0001=x\n"));
        QCOMPARE(LinguaImpostata(*env.state), QStringLiteral("Italiano"));
        QCOMPARE(PrivateProfile::read(env.prog() + QStringLiteral("/lgnvorbello/LangSetting.ini"), u"Language",
                                      u"CurrentLanguage"),
                 QStringLiteral("Italiano"));
    }

    // Where the program's folder cannot take the choice (an installed copy), it is kept in the
    // user's settings and read back from there.
    void choiceKeptPerUserWhenProgramFolderIsReadOnly()
    {
        TestEnv env;
        env.language(QStringLiteral("Italiano"), QStringLiteral("[Strings]\n0001=ciao\n"));
        env.language(QStringLiteral("English"), QStringLiteral("[Strings]\n0001=hello\n"));
        // A folder where the file should be: no write can succeed there.
        QVERIFY(QDir().mkpath(env.prog() + QStringLiteral("/lgnvorbello/LangSetting.ini")));
        QDir().mkpath(env.driveC() + QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello"));
        MLSCambiaLingua(*env.state, QStringLiteral("Italiano"));
        env.state->LinguaCorrente.clear();
        QCOMPARE(LinguaImpostata(*env.state), QStringLiteral("Italiano"));
        QVERIFY(env.exists(QStringLiteral("C/ImpostazioniProgrammiQuorla/Vorbello/LangSetting.ini")));
        MLSCambiaLingua(*env.state, QStringLiteral("English"));
        QCOMPARE(LinguaImpostata(*env.state), QStringLiteral("English"));
    }

    // A LangSetting.ini that is there but cannot be read (a FIFO here: permissions do not stop
    // root) keeps the language in use, and no user copy is left to override it from then on.
    void unreadableSetting()
    {
        TestEnv env;
        env.language(QStringLiteral("English"), QStringLiteral("[Strings]\n0166=Not saved\n"));
        env.language(QStringLiteral("Italiano"), QStringLiteral("[Strings]\n0166=Non salvata\n"));
        QCOMPARE(::mkfifo(QFile::encodeName(env.prog() + QStringLiteral("/lgnvorbello/LangSetting.ini")), 0600), 0);
        QDir().mkpath(env.driveC() + QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello"));
        env.state->LinguaCorrente = QStringLiteral("Italiano");
        QCOMPARE(LinguaImpostata(*env.state), QStringLiteral("Italiano"));
        MLSCambiaLingua(*env.state, QStringLiteral("English"));
        QVERIFY(!env.exists(QStringLiteral("C/ImpostazioniProgrammiQuorla/Vorbello/LangSetting.ini")));
        QCOMPARE(env.dialogs.messages, QStringList{QStringLiteral("Not saved")});
    }

    // Language names are file names: one that would lead out of the language folder is not
    // used, whether recorded by hand or found as a file.
    void unsafeLanguageNames()
    {
        TestEnv env;
        env.language(QStringLiteral("Italiano"), QStringLiteral("[Strings]\n0001=ciao\n"));
        env.language(QStringLiteral("a\\b"), QStringLiteral("[Strings]\n0001=no\n"));
        env.put(QStringLiteral("prog/lgnvorbello/LangSetting.ini"), "[Language]\r\nCurrentLanguage=..\\..\\segreto\r\n");
        QCOMPARE(ElencoLingue(*env.state), QStringList{QStringLiteral("Italiano")});
        QCOMPARE(LinguaImpostata(*env.state), QStringLiteral("Italiano"));
        QCOMPARE(MLSGetString(*env.state, QStringLiteral("0001")), QStringLiteral("ciao"));
        // The hand-written value is left as it was.
        QVERIFY(env.get(QStringLiteral("prog/lgnvorbello/LangSetting.ini")).contains("segreto"));
    }

    // Files over 64,000 bytes are searched line by line, sections ignored, values unquoted by
    // one character at each end: held in memory, read afresh, or (too large to hold) on disk.
    void largeFile_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first match in any section") << "Label1.Caption" << "prima";
        QTest::newRow("case-sensitive") << "label1.caption" << "";
        QTest::newRow("unquoted loses its ends") << "0002" << "bcd";
        QTest::newRow("too short") << "0003" << "";
        QTest::newRow("missing") << "9999" << "";
    }
    void largeFile()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestEnv env;
        env.language(QStringLiteral("Grande"),
                     QStringLiteral("[FormMenu]\nLabel1.Caption=\"prima\"\n[Strings]\n0002=abcde\n"
                                    "0003=x\n[FormEs1]\nLabel1.Caption=\"seconda\"\n") +
                         QStringLiteral("; riempitivo\n").repeated(6000));
        QVERIFY(QFileInfo(env.prog() + QStringLiteral("/lgnvorbello/Grande.lng")).size() > 64000);
        for (int mode = 0; mode < 3; ++mode) {
            env.state->ini.setCaching(mode != 1);
            if (mode == 2)
                env.state->ini.setLimiteInMemoria(70000);
            QCOMPARE(env.state->ini.LeggiIni(languageFile(env, "Grande"), QStringLiteral("Strings"), key)
                         .value_or(QStringLiteral("<missing file>")),
                     expected);
        }
    }

    // The size that makes a language file large, where a key is taken from any section:
    // 64,000 characters is still small, one more is large.
    void largeFileBoundary_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("expected");
        QTest::newRow("64000: sections kept") << 64000 << "";
        QTest::newRow("64001: any section") << 64001 << "prima";
    }
    void largeFileBoundary()
    {
        QFETCH(int, size);
        QFETCH(QString, expected);
        TestEnv env;
        QString text = QStringLiteral("[FormMenu]\nLabel1.Caption=\"prima\"\n[Strings]\n0002=abcde\n;");
        text += QString(size - int(text.size()) - int(text.count(u'\n')), u'x'); // each \n is written \r\n
        env.language(QStringLiteral("Limite"), text);
        QCOMPARE(QFileInfo(env.prog() + QStringLiteral("/lgnvorbello/Limite.lng")).size(), size);
        QCOMPARE(env.state->ini.LeggiIni(languageFile(env, "Limite"), QStringLiteral("Strings"),
                                         QStringLiteral("Label1.Caption")).value_or(QStringLiteral("<missing file>")),
                 expected);
    }
};

QTEST_MAIN(TestLingua)
#include "tst_lingua.moc"
