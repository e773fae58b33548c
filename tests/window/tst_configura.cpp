// The configuration window: choosing and creating the pupil, the cup colours and their names,
// text style and font, colours, input mode, and leaving with the profile saved.

#include "QtWarnings.h"
#include "TestEnv.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "app/Main.h"
#include "core/Modulo1.h"
#include "menu/FormMenu.h"
#include "platform/Filmato.h"
#include "profile/FormConfigura.h"
#include "profile/Pupils.h"
#include "platform/Desktop.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStandardPaths>
#include <QTabBar>
#include <QFontMetrics>
#include <QTest>

namespace {

const QString Lingua = QString::fromUtf8(
    "[Strings]\n0053=maschile singolare\n0054=maschile plurale\n0055=femminile singolare\n"
    "0056=femminile plurale\n0057=Con il corsivo non si può cambiare il font.\n"
    "0058=È stata cambiata solo la dimensione del testo.\n"
    "[FormConfigura]\nTabStrip1.TabCaption(0)=Alunni\nOptionUtente(1).Caption=Modifica\n");

const QString Cartella = QStringLiteral("C/ImpostazioniProgrammiQuorla/Vorbello/");

struct Configura {
    TestEnv env;
    FormConfigura *w = nullptr;

    explicit Configura(const std::function<void(TestEnv &)> &prepare = {})
    {
        env.language(QStringLiteral("Italiano"), Lingua);
        env.currentLanguage(QStringLiteral("Italiano"));
        env.state->LinguaCorrente = QStringLiteral("Italiano");
        QFile movie(QStringLiteral(VORBELLO_SOURCE_DATA "/swf/vorbe.svg"));
        if (movie.open(QIODevice::ReadOnly))
            env.put(QStringLiteral("prog/swf/vorbe.svg"), movie.readAll());
        QDir().mkpath(env.driveC() + QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello/dati"));
        env.state->FileProfilo = SettingsRoot::Programma + QStringLiteral("_predefinito.INI");
        env.state->NomeUtente = QStringLiteral("_predefinito");
        CaricaPalette(*env.state);
        if (prepare)
            prepare(env);
        RegistraFinestre(*env.state);
        if (!env.windows->isDefined(QStringLiteral("FormConfigura")))
            env.windows->define(QStringLiteral("FormConfigura"),
                                [](AppState &s) { return new FormConfigura(s); });
        w = env.windows->get<FormConfigura>(QStringLiteral("FormConfigura"));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    Profilo &p() { return env.state->profilo; }
    // A user's profile as written in the profile folder, read back.
    Profilo salvato(const QString &file) const
    {
        Profilo out;
        ProfiloDaBytes(env.get(Cartella + file), &out);
        return out;
    }
    void scriviUtente(const QString &file, const std::function<void(Profilo &)> &change)
    {
        Profilo q;
        change(q);
        env.put(Cartella + file, ProfiloInBytes(q));
    }
    QStringList fileProfili() const
    {
        return QDir(env.driveC() + QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello"))
            .entryList({QStringLiteral("*")}, QDir::Files, QDir::Name);
    }
    // The fill the preview gives cup n.
    QString tazza(int n) const
    {
        const QString doc = QString::fromUtf8(w->ShockwaveFlash1->document());
        const qsizetype at = doc.indexOf(QStringLiteral("id=\"tazza%1.interno\"").arg(n));
        const qsizetype start = doc.lastIndexOf(QLatin1Char('<'), at);
        const QString tag = doc.mid(start, doc.indexOf(QLatin1Char('>'), at) - start);
        return QRegularExpression(QStringLiteral("fill=\"#([0-9a-fA-F]{6})\""))
            .match(tag)
            .captured(1)
            .toUpper();
    }
};

} // namespace

class TestConfigura : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        failOnQtWarnings();
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Tab captions come from the language file; a tab it leaves out keeps its own caption
    // instead of going blank, and the pages follow the tabs.
    void tabs()
    {
        Configura c;
        QCOMPARE(c.w->TabStrip1->count(), FormConfigura::Schede);
        QCOMPARE(c.w->TabStrip1->tabText(0), QStringLiteral("Alunni"));
        QCOMPARE(c.w->TabStrip1->tabText(5), QString::fromUtf8("Modalità di input"));
        QCOMPARE(c.w->OptionUtente[1]->text(), QStringLiteral("Modifica"));
        QVERIFY(c.w->FrameUtente->isVisible());
        c.w->TabStrip1->setCurrentIndex(3);
        QVERIFY(c.w->FrameFonts->isVisible());
        QVERIFY(!c.w->FrameUtente->isVisible());
        QCOMPARE(c.w->Label4->text(), QStringLiteral("_predefinito"));
    }

    // Choosing the default user saves the current pupil first and loads nothing: the settings
    // on screen stay, to be written as the default user's at the next save.
    void defaultUser()
    {
        Configura c([](TestEnv &env) {
            env.state->NomeUtente = QStringLiteral("Anna");
            env.state->FileProfilo = SettingsRoot::Programma + QStringLiteral("Anna.ini");
            env.state->profilo.ModoInput = 3;
        });
        c.w->OptionUtente[0]->click();
        QCOMPARE(c.salvato(QStringLiteral("Anna.ini")).ModoInput, qint16(3));
        QCOMPARE(c.fileProfili(), QStringList{QStringLiteral("Anna.ini")});
        QCOMPARE(c.env.state->NomeUtente, QStringLiteral("_predefinito"));
        QCOMPARE(c.env.state->FileProfilo,
                 SettingsRoot::Programma + QStringLiteral("_predefinito.ini"));
        QCOMPARE(c.p().ModoInput, qint16(3));
        QCOMPARE(c.w->Label4->text(), QStringLiteral("_predefinito"));
        QVERIFY(c.w->ListModificaUtente->isHidden());
        QVERIFY(c.w->TextNuovoUtente->isHidden());
    }

    // The list offers every pupil's file in upper case, but not the default user, folders,
    // other files or names that would lead out of the folder.
    void modifyList()
    {
        Configura c([](TestEnv &env) {
            for (const char *f :
                 {"Marco.ini", "anna.INI", "_predefinito.INI", "note.txt", "x\\..\\..\\evil.ini"})
                env.put(Cartella + QString::fromLatin1(f), "x");
            QDir().mkpath(env.driveC() +
                          QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello/cartella.ini"));
        });
        c.w->OptionUtente[1]->click();
        QStringList items;
        for (int i = 0; i < c.w->ListModificaUtente->count(); ++i)
            items << c.w->ListModificaUtente->item(i)->text();
        QCOMPARE(items, (QStringList{QStringLiteral("ANNA"), QStringLiteral("MARCO")}));
        QVERIFY(c.w->ListModificaUtente->isVisible());
        QVERIFY(c.w->TextNuovoUtente->isHidden());
        QCOMPARE(c.env.state->NomeUtente, QStringLiteral("_predefinito"));
    }

    // Choosing a pupil saves the current one, loads the chosen file (whatever the case of its
    // name), shows it, and starts an empty log; saving again writes the same file, not a twin.
    void chooseUser()
    {
        Configura c([&](TestEnv &env) {
            Profilo q;
            q.ModoInput = 2;
            q.VelocitaScansione = 6;
            env.put(Cartella + QStringLiteral("Anna.ini"), ProfiloInBytes(q));
            env.state->registro.iniziaEsercizio(QStringLiteral("Vero o falso"));
        });
        c.p().Suoni = false;
        c.w->OptionUtente[1]->click();
        QCOMPARE(c.w->ListModificaUtente->count(), 1);
        c.w->ListModificaUtente->item(0)->setSelected(true);
        QVERIFY(!c.salvato(QStringLiteral("_predefinito.INI")).Suoni);
        QCOMPARE(c.env.state->NomeUtente, QStringLiteral("ANNA"));
        QCOMPARE(c.w->Label4->text(), QStringLiteral("ANNA"));
        QCOMPARE(c.p().ModoInput, qint16(2));
        QVERIFY(c.p().Suoni);
        QVERIFY(c.w->Option4[2]->isChecked());
        QCOMPARE(c.env.state->registro.righe(), 0);
        QVERIFY(c.env.state->registro.riga(1)[0].isEmpty());
        c.p().ModoInput = 1;
        QVERIFY(SalvaProfilo(*c.env.state));
        QCOMPARE(c.fileProfili(),
                 (QStringList{QStringLiteral("Anna.ini"), QStringLiteral("_predefinito.INI")}));
        QCOMPARE(c.salvato(QStringLiteral("Anna.ini")).ModoInput, qint16(1));
    }

    // When the current pupil's settings cannot be written, the pupil stays: loading another
    // one over them would lose them.
    void chooseUserUnsaved()
    {
        Configura c([](TestEnv &env) {
            QDir().mkpath(env.driveC() +
                          QStringLiteral("/ImpostazioniProgrammiQuorla/Vorbello/Anna.ini"));
            env.state->NomeUtente = QStringLiteral("Anna");
            env.state->FileProfilo = SettingsRoot::Programma + QStringLiteral("Anna.ini");
        });
        c.scriviUtente(QStringLiteral("Marco.ini"), [](Profilo &q) { q.ModoInput = 3; });
        c.w->OptionUtente[1]->click();
        c.p().ModoInput = 1;
        c.env.dialogs.messages.clear();
        c.w->ListModificaUtente->item(0)->setSelected(true);
        QCOMPARE(c.env.dialogs.messages.size(), 1);
        QCOMPARE(c.env.state->NomeUtente, QStringLiteral("Anna"));
        QCOMPARE(c.p().ModoInput, qint16(1));
        QVERIFY(c.w->ListModificaUtente->selectedItems().isEmpty());
    }

    void newUser_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::newRow("a name") << "Luca" << false;
        QTest::newRow("a way out of the folder") << "../../evil" << true;
        QTest::newRow("a folder") << "Anna/2" << true;
        QTest::newRow("a drive") << "C:x" << true;
        QTest::newRow("markup") << "<Bob>" << true;
        QTest::newRow("blanks only") << "   " << true;
    }
    // A new pupil's name is taken when the teacher leaves the box; only that pupil's file is
    // written, inside the profile folder. A refused name is told and kept to be mended, and the
    // window stays: its settings were once cut to "Anna" or written into the pupil before.
    void newUser()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        Configura c;
        c.w->OptionUtente[2]->click();
        QVERIFY(c.w->TextNuovoUtente->isVisible());
        const QByteArray before = c.env.get(Cartella + QStringLiteral("_predefinito.INI"));
        QTest::keyClicks(c.w->TextNuovoUtente, typed);
        QCOMPARE(c.env.state->NomeUtente, QStringLiteral("_predefinito")); // not yet taken
        QTest::keyClick(c.w->TextNuovoUtente, Qt::Key_Return);
        c.p().ModoInput = 2; // a setting for the new pupil
        c.w->mnuEsci->trigger();
        QCOMPARE(c.env.get(Cartella + QStringLiteral("_predefinito.INI")), before);
        if (refused) {
            QCOMPARE(c.env.dialogs.messages.size(), 2); // on leaving the box, then on leaving
            QVERIFY(c.env.dialogs.messages[0].contains(typed));
            QVERIFY(c.w->isVisible());
            QCOMPARE(c.w->TextNuovoUtente->text(), typed);
            QCOMPARE(c.fileProfili(), QStringList{QStringLiteral("_predefinito.INI")});
            return;
        }
        QVERIFY(c.env.dialogs.messages.isEmpty());
        QCOMPARE(c.env.state->NomeUtente, typed);
        QCOMPARE(c.fileProfili(), (QStringList{typed + QStringLiteral(".ini"), QStringLiteral("_predefinito.INI")}));
        QCOMPARE(c.salvato(typed + QStringLiteral(".ini")).ModoInput, qint16(2));
    }

    // The cursive choice shows the cursive letters as tall as the other choices' (it was
    // drawn about 5 pixels tall).
    void cursiveReadable()
    {
        QVERIFY(!Fonts::registerForProgram(QStringLiteral(VORBELLO_SOURCE_DATA "/indis1.ttf"),
                                           QStringLiteral("Indis1"))
                     .isEmpty());
        Configura c;
        const auto alto = [](const QAbstractButton *b) {
            return QFontMetrics(b->font()).tightBoundingRect(b->text()).height();
        };
        QVERIFY2(alto(c.w->corsivo) >= alto(c.w->minuscolo),
                 qPrintable(QStringLiteral("%1 < %2").arg(alto(c.w->corsivo)).arg(alto(c.w->minuscolo))));
    }

    // Only a complete name takes up another pupil: typing "Anna" once took up "Ann" on the way.
    void newUserNamePrefix()
    {
        Configura c;
        c.scriviUtente(QStringLiteral("Ann.ini"), [](Profilo &q) { q.ModoInput = 3; });
        c.w->OptionUtente[2]->click();
        QTest::keyClicks(c.w->TextNuovoUtente, QStringLiteral("Anna"));
        QTest::keyClick(c.w->TextNuovoUtente, Qt::Key_Return);
        QCOMPARE(c.env.state->NomeUtente, QStringLiteral("Anna"));
        QCOMPARE(c.p().ModoInput, qint16(0));
        c.w->mnuEsci->trigger();
        QCOMPARE(c.salvato(QStringLiteral("Ann.ini")).ModoInput, qint16(3));
    }

    // Typing the name of a pupil who already has a file takes up that pupil's settings, so the
    // next save does not write another pupil's settings over them.
    void newUserAlreadyThere()
    {
        Configura c([](TestEnv &) {});
        c.scriviUtente(QStringLiteral("Marco.ini"), [](Profilo &q) { q.ModoInput = 3; });
        c.w->OptionUtente[2]->click();
        QTest::keyClicks(c.w->TextNuovoUtente, QStringLiteral("marco"));
        QTest::keyClick(c.w->TextNuovoUtente, Qt::Key_Return);
        QCOMPARE(c.p().ModoInput, qint16(3));
        c.w->mnuEsci->trigger();
        QCOMPARE(c.salvato(QStringLiteral("Marco.ini")).ModoInput, qint16(3));
    }

    void userNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "Anna" << true;
        QTest::newRow("blank inside") << "Anna Maria" << true;
        QTest::newRow("one dot") << "A.B" << true;
        QTest::newRow("console") << "console" << true;
        QTest::newRow("com0") << "com0" << true;
        for (const char *bad :
             {"",     "  ",  ".",   ". .", "..",   "a..b", "a\\b",  "a/b", "c:",   "a*",  "a?",
              "a\"b", "a<b", "a>b", "a|b", "a\tb", "con",  "CON.x", "nul", "com1", "LPT9"})
            QTest::addRow("[%s]", bad) << QString::fromLatin1(bad) << false;
    }
    // A pupil's name becomes a file name in the profile folder.
    void userNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(Pupils::nomeValido(name), valid);
    }

    // With "Sfondo" chosen a palette box changes only the background colour and asks nothing.
    void paletteBackground()
    {
        Configura c;
        c.w->TabStrip1->setCurrentIndex(1);
        const auto before = c.p().TabellaColori;
        QVERIFY(c.w->Option2[0]->isChecked());
        QTest::mouseClick(c.w->CasellaColorata[40], Qt::LeftButton);
        QCOMPARE(c.p().TabellaColori[0][0], c.env.state->ColoriHex[40]);
        auto expected = before;
        expected[0][0] = c.env.state->ColoriHex[40];
        QVERIFY(c.p().TabellaColori == expected);
        QVERIFY(c.env.dialogs.prompts.isEmpty());
        QCOMPARE(c.w->ShockwaveFlash1->BGColor(), c.env.state->ColoriHex[40]);
    }

    void paletteColour_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("answers"); // "-" cancels
        QTest::addColumn<QStringList>("names");
        QTest::newRow("four names") << 2 << QStringList{"viola", "viola", "viola", "viole"}
                                    << QStringList{"viola", "viola", "viola", "viole"};
        QTest::newRow("cancelled names are empty")
            << 4 << QStringList{"rosa", "-", "rosa", "-"} << QStringList{"rosa", "", "rosa", ""};
        QTest::newRow("a comma and an ampersand") << 1 << QStringList{"blu, scuro", "a&b", "c", "d"}
                                                  << QStringList{"blu, scuro", "a&b", "c", "d"};
    }
    // A colour row takes the colour and asks for its four names, which reach the option's
    // caption, the preview and, unchanged, the saved profile.
    void paletteColour()
    {
        QFETCH(int, row);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, names);
        Configura c;
        c.w->TabStrip1->setCurrentIndex(1);
        for (const QString &a : answers)
            c.env.dialogs.inputs.append(a == QLatin1String("-") ? std::nullopt
                                                                : std::optional<QString>(a));
        const auto before = c.p().TabellaColori;
        c.w->Option2[row]->click();
        QTest::mouseClick(c.w->CasellaColorata[100], Qt::LeftButton);
        const QString hex = c.env.state->ColoriHex[100];
        QCOMPARE(c.env.dialogs.prompts, (QStringList{"maschile singolare", "maschile plurale",
                                                     "femminile singolare", "femminile plurale"}));
        QCOMPARE(c.env.dialogs.inputTitles, QStringList(4, QStringLiteral("Vorbello")));
        auto expected = before;
        expected[row][0] = hex;
        for (int i = 0; i < 4; ++i)
            expected[row][i + 1] = names[i];
        QVERIFY(c.p().TabellaColori == expected);
        QCOMPARE(c.w->Option2[row]->text(),
                 QString(names.join(QStringLiteral(" - ")))
                     .replace(QStringLiteral("&"), QStringLiteral("&&")));
        QCOMPARE(c.tazza(row), hex);
        c.w->mnuEsci->trigger();
        QVERIFY(c.salvato(QStringLiteral("_predefinito.INI")).TabellaColori == expected);
    }

    // The default colours come back, and nothing else of the profile moves.
    void defaultColours()
    {
        Configura c;
        c.w->TabStrip1->setCurrentIndex(1);
        c.p().TabellaColori[3] = {"123456", "a", "b", "c", "d"};
        c.p().TabellaColori[0][0] = QStringLiteral("000000");
        c.p().ModoInput = 2;
        c.p().ColoreFisso = 42;
        Profilo expected = c.p();
        CaricaNomiColori(expected);
        c.w->Command4->click();
        QVERIFY(c.p() == expected);
        QCOMPARE(c.w->Option2[3]->text(), QStringLiteral("blu - blu - blu - blu"));
        QCOMPARE(c.tazza(3), QStringLiteral("0000FF"));
    }

    void textStyle_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("normal");
        QTest::newRow("maiuscolo") << "maiuscolo"
                                   << "maiuscolo"
                                   << "Verdana"
                                   << "Verdana";
        QTest::newRow("corsivo") << "corsivo"
                                 << "corsivo"
                                 << "Indis1"
                                 << "Verdana";
        QTest::newRow("corsivo then minuscolo") << "corsivo minuscolo"
                                                << "minuscolo"
                                                << "Verdana"
                                                << "Verdana";
        QTest::newRow("corsivo twice keeps the normal font") << "corsivo corsivo maiuscolo"
                                                             << "maiuscolo"
                                                             << "Verdana"
                                                             << "Verdana";
    }
    // The styles switch between the normal font and the cursive one, and the samples follow
    // the letter case.
    void textStyle()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, style);
        QFETCH(QString, font);
        QFETCH(QString, normal);
        Configura c;
        c.p().NomeFont = QStringLiteral("Verdana");
        c.p().FontNormale = QStringLiteral("Verdana");
        for (const QString &name : clicks.split(QLatin1Char(' ')))
            c.w->FrameScelte->findChild<QRadioButton *>(name)->click();
        QCOMPARE(c.p().TipoCarattere, style);
        QCOMPARE(c.p().NomeFont, font);
        QCOMPARE(c.p().FontNormale, normal);
        for (QLabel *l : c.w->LabelFontSelezionato) {
            const QString t = l->text();
            QCOMPARE(t, style == QLatin1String("maiuscolo") ? t.toUpper() : t.toLower());
            QCOMPARE(l->font().family(), QFont(font).family());
        }
    }

    void fontDialog_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<double>("size"); // 0: cancelled
        QTest::addColumn<int>("weight");
        QTest::addColumn<QString>("font");
        QTest::addColumn<int>("whole");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("message");
        QTest::newRow("10.5 to even")
            << "minuscolo" << 10.5 << 400 << "Courier" << 10 << false << false;
        QTest::newRow("11.5 to even")
            << "maiuscolo" << 11.5 << 700 << "Courier" << 12 << true << false;
        QTest::newRow("semi-bold is not bold")
            << "minuscolo" << 20.0 << 600 << "Courier" << 20 << false << false;
        QTest::newRow("cursive keeps its font")
            << "corsivo" << 30.0 << 400 << "Indis1" << 30 << false << true;
        QTest::newRow("cancelled") << "minuscolo" << 0.0 << 400 << "arial" << 24 << false << false;
    }
    // The font dialog sets name and whole size; with cursive text only the size is taken, the
    // name waits for the normal styles, and the teacher is told.
    void fontDialog()
    {
        QFETCH(QString, style);
        QFETCH(double, size);
        QFETCH(int, weight);
        QFETCH(QString, font);
        QFETCH(int, whole);
        QFETCH(bool, bold);
        QFETCH(bool, message);
        Configura c;
        c.w->FrameScelte->findChild<QRadioButton *>(style)->click();
        if (size > 0) {
            QFont chosen(QStringLiteral("Courier"));
            chosen.setPointSizeF(size);
            chosen.setWeight(QFont::Weight(weight));
            c.env.dialogs.fonts.append(chosen);
        }
        c.w->CommandSceltaFont->click();
        QCOMPARE(c.env.dialogs.fontRequests.size(), 1);
        QCOMPARE(c.p().NomeFont, font);
        QCOMPARE(c.p().DimensioneFont, qint16(whole));
        QCOMPARE(c.p().FontNormale, size > 0 ? QStringLiteral("Courier") : QStringLiteral("arial"));
        QCOMPARE(c.w->LabelFontSelezionato[0]->font().pointSize(), whole);
        QCOMPARE(c.w->LabelFontSelezionato[0]->font().bold(), bold);
        if (message) {
            QCOMPARE(
                c.env.dialogs.messages,
                QStringList{QString::fromUtf8("Con il corsivo non si può cambiare il font.\n"
                                              "È stata cambiata solo la dimensione del testo.")});
            QCOMPARE(c.env.dialogs.titles, QStringList{QStringLiteral("Vorbello")});
        } else {
            QVERIFY(c.env.dialogs.messages.isEmpty());
        }
        if (style != QLatin1String("corsivo"))
            return;
        c.w->minuscolo->click();
        QCOMPARE(c.p().NomeFont, QStringLiteral("Courier"));
    }

    void colours_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("selected buttons") << "Command1" << false;
        QTest::newRow("selected buttons, cancelled") << "Command1" << true;
        QTest::newRow("buttons") << "CommandSceltaColoreBottoni" << false;
        QTest::newRow("text background") << "CommandSceltaSfondoTesto" << false;
        QTest::newRow("text colour") << "CommandSceltaColoreFont" << false;
        QTest::newRow("text colour, cancelled") << "CommandSceltaColoreFont" << true;
        QTest::newRow("fixed background") << "CommandSceltaColori" << false;
    }
    // Each colour button stores the colour as a 0x00BBGGRR code and shows it; a cancelled
    // dialog changes nothing.
    void colours()
    {
        QFETCH(QString, button);
        QFETCH(bool, cancel);
        Configura c;
        c.w->TabStrip1->setCurrentIndex(3);
        c.w->OptionColoreCasualeFisso[1]->click();
        QVERIFY(!c.p().ColoriVari);
        QVERIFY(c.w->CommandSceltaColori->isEnabled());
        const Profilo before = c.p();
        const QColor colour(0x12, 0x34, 0x56);
        if (!cancel)
            c.env.dialogs.colours.append(colour);
        c.w->FrameFonts->findChild<QPushButton *>(button)->click();
        QCOMPARE(c.env.dialogs.colourRequests.size(), 1);
        Profilo expected = before;
        const double code = 0x563412;
        double *field =
            button == QLatin1String("Command1")                     ? &expected.ColoreSelezione
            : button == QLatin1String("CommandSceltaColoreBottoni") ? &expected.ColoreBottoni
            : button == QLatin1String("CommandSceltaSfondoTesto")   ? &expected.SfondoTesto
            : button == QLatin1String("CommandSceltaColoreFont")    ? &expected.ColoreFont
                                                                    : &expected.ColoreFisso;
        if (!cancel)
            *field = code;
        QVERIFY(c.p() == expected);
        const QColor shown = ColoreDaCodice(*field);
        QLabel *sample = c.w->LabelFontSelezionato[0];
        if (button == QLatin1String("Command1"))
            QCOMPARE(c.w->Command1->sfondo(), shown);
        else if (button == QLatin1String("CommandSceltaColoreBottoni"))
            QCOMPARE(c.w->CommandSceltaColoreBottoni->sfondo(), shown);
        else if (button == QLatin1String("CommandSceltaSfondoTesto"))
            QCOMPARE(sample->palette().color(QPalette::Window), shown);
        else if (button == QLatin1String("CommandSceltaColoreFont"))
            QCOMPARE(sample->palette().color(QPalette::WindowText), shown);
        else
            QCOMPARE(c.w->FrameFonts->palette().color(QPalette::Window), shown);
    }

    void inputMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("slider");
        QTest::addColumn<bool>("cursor");
        QTest::addColumn<QLocale::Language>("language");
        QTest::addColumn<QString>("caption");
        QTest::newRow("mouse") << 0 << false << true << QLocale::Italian << "";
        QTest::newRow("manual scanning") << 1 << false << false << QLocale::Italian << "";
        QTest::newRow("automatic, Italian")
            << 2 << true << false << QLocale::Italian
            << QString::fromUtf8("Velocità scansione: 1,50 secondi");
        QTest::newRow("automatic, English")
            << 2 << true << false << QLocale::English
            << QString::fromUtf8("Velocità scansione: 1.50 secondi");
        QTest::newRow("keyboard") << 3 << false << false << QLocale::Italian << "";
    }
    // The input mode shows the speed only for automatic scanning, in the locale's style, and
    // the system cursor choice only for the mouse.
    void inputMode()
    {
        QFETCH(int, mode);
        QFETCH(bool, slider);
        QFETCH(bool, cursor);
        QFETCH(QLocale::Language, language);
        QFETCH(QString, caption);
        QLocale::setDefault(QLocale(language));
        Configura c;
        c.p().VelocitaScansione = 6;
        c.w->Option4[mode]->click();
        QCOMPARE(c.p().ModoInput, qint16(mode));
        QCOMPARE(!c.w->HScroll3->isHidden(), slider);
        QCOMPARE(!c.w->Label7->isHidden(), slider);
        QCOMPARE(!c.w->CheckDisabilitaMousePersonalizzato->isHidden(), cursor);
        if (!slider)
            return;
        QCOMPARE(c.w->HScroll3->value(), 6);
        QCOMPARE(c.w->Label7->text(), caption);
        c.w->HScroll3->setValue(60);
        QCOMPARE(c.p().VelocitaScansione, qint16(60));
        // Another language words it its own way around the same number.
        QCOMPARE(FormConfigura::DidascaliaVelocita(6, QStringLiteral("Scanning speed: %1 seconds")),
                 QStringLiteral("Scanning speed: ") + caption.mid(caption.indexOf(QLatin1Char(':')) + 2, 4) +
                     QStringLiteral(" seconds"));
    }

    void leave_data()
    {
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("exit menu") << false;
        QTest::newRow("window frame") << true;
    }
    // Leaving saves the profile and brings back the menu, however the window is closed.
    void leave()
    {
        QFETCH(bool, byFrame);
        Configura c;
        c.w->CheckSuoni->click();
        QVERIFY(!c.p().Suoni);
        if (byFrame)
            c.w->close();
        else
            c.w->mnuEsci->trigger();
        QVERIFY(!c.salvato(QStringLiteral("_predefinito.INI")).Suoni);
        QVERIFY(!c.env.windows->find(QStringLiteral("FormConfigura")));
        QWidget *menu = c.env.windows->find(QStringLiteral("FormMenu"));
        QVERIFY(menu && menu->isVisible());
        QVERIFY(!c.p().Suoni);
    }
};

QTEST_MAIN(TestConfigura)
#include "tst_configura.moc"
