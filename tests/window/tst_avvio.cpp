#include "QtWarnings.h"
#include "TestEnv.h"
#include "core/FormAvvio.h"
#include "app/Main.h"
#include "core/PictureButton.h"
#include "core/Modulo1.h"
#include "core/PictureButton.h"
#include "platform/Desktop.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString Root = QStringLiteral("C/ImpostazioniProgrammiQuorla");

// Numbered strings whose text tells the key, so fragments can be checked by value.
void numberedLanguage(TestEnv &env)
{
    QString body = QStringLiteral("[Strings]\n0001=Vorbello è già aperto\n");
    for (int k = 3; k <= 52; ++k)
        body += QStringLiteral("%1=K%1\n").arg(k, 4, 10, QLatin1Char('0'));
    env.language(QStringLiteral("Italiano"), body);
    env.currentLanguage(QStringLiteral("Italiano"));
}

void shipFont(TestEnv &env)
{
    QFile f(QStringLiteral(VORBELLO_SOURCE_DATA "/indis1.ttf"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    env.put(QStringLiteral("prog/indis1.ttf"), f.readAll());
}

} // namespace

class TestAvvio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        failOnQtWarnings();
        QStandardPaths::setTestModeEnabled(true);
    }

    // First start: three folders in order, the notice written each time, the font installed
    // and announced once, the default profile loaded, and the start-up window shown.
    void firstStart()
    {
        TestEnv env;
        numberedLanguage(env);
        shipFont(env);
        RegistraFinestre(*env.state);
        QVERIFY(AvviaProgramma(*env.state, false));

        QVERIFY(QFileInfo(env.dir.path() + QLatin1Char('/') + Root + QStringLiteral("/Vorbello/dati")).isDir());
        QCOMPARE(env.get(Root + QStringLiteral("/leggimi.txt")), TestoLeggimi());
        QVERIFY(env.exists(QStringLiteral("C/fonts/indis1.ttf")));
        QCOMPARE(env.dialogs.messages.size(), 1);
        QVERIFY(env.dialogs.messages.first().startsWith(
            QStringLiteral("Ho installato il font per il corsivo 'indis1.ttf'\r\n")));
        // The credit names the author of the font we ship.
        QVERIFY(env.dialogs.messages.first().contains(QStringLiteral("Font prodotto da Jean-Marie Douteau\r\n ")));
        QCOMPARE(env.state->NomeUtente, QStringLiteral("_predefinito"));
        QCOMPARE(env.state->profilo, Profilo());
        QVERIFY(!env.exists(Root + QStringLiteral("/Vorbello/_predefinito.INI"))); // not saved yet
        QWidget *w = env.windows->find(QStringLiteral("FormAvvio"));
        QVERIFY(w && w->isVisible());
        // "Indis1" must reach the cursive font.
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Indis1"))).family(), QStringLiteral("Ecolier_court"));
    }

    // Later starts create nothing and show nothing, even if the font was removed meanwhile;
    // a missing data folder alone is recreated, with the notice rewritten, and no font check.
    void laterStarts()
    {
        TestEnv env;
        numberedLanguage(env);
        shipFont(env);
        RegistraFinestre(*env.state);
        QVERIFY(AvviaProgramma(*env.state, false));
        env.windows->unload(env.windows->find(QStringLiteral("FormAvvio")));
        env.dialogs.messages.clear();

        QFile::remove(env.driveC() + QStringLiteral("/fonts/indis1.ttf"));
        env.put(Root + QStringLiteral("/leggimi.txt"), "changed by hand");
        QVERIFY(AvviaProgramma(*env.state, false));
        QVERIFY(env.dialogs.messages.isEmpty());
        QCOMPARE(env.get(Root + QStringLiteral("/leggimi.txt")), QByteArray("changed by hand"));
        QVERIFY(!env.exists(QStringLiteral("C/fonts/indis1.ttf")));

        QVERIFY(QDir(env.dir.path() + QLatin1Char('/') + Root + QStringLiteral("/Vorbello/dati")).removeRecursively());
        QVERIFY(AvviaProgramma(*env.state, false));
        QVERIFY(env.exists(Root + QStringLiteral("/Vorbello/dati")));
        QCOMPARE(env.get(Root + QStringLiteral("/leggimi.txt")), TestoLeggimi());
        QVERIFY(env.dialogs.messages.isEmpty());
        QVERIFY(!env.exists(QStringLiteral("C/fonts/indis1.ttf")));
    }

    // A second copy says so with key "0001", and neither creates anything nor opens a window.
    void secondCopy()
    {
        TestEnv env;
        numberedLanguage(env);
        RegistraFinestre(*env.state);
        QVERIFY(!AvviaProgramma(*env.state, true));
        QCOMPARE(env.dialogs.messages, QStringList{QString::fromUtf8("Vorbello è già aperto")});
        QVERIFY(env.windows->loaded().isEmpty());
        QVERIFY(!env.exists(Root));
    }

    // The lock: a second holder of the same installation is refused, another installation not.
    void singleInstanceLock()
    {
        const QString key = QStringLiteral("tst_avvio-%1").arg(QCoreApplication::applicationPid());
        SingleInstance first(key);
        QVERIFY(first.acquire());
        SingleInstance second(key);
        QVERIFY(!second.acquire());
        SingleInstance other(key + QStringLiteral("-other"));
        QVERIFY(other.acquire());
    }

    // A settings root that cannot be made ends start-up with a message and no window.
    void settingsFolderCannotBeMade()
    {
        TestEnv env;
        numberedLanguage(env);
        RegistraFinestre(*env.state);
        env.put(QStringLiteral("C/ImpostazioniProgrammiQuorla"), "a file in the way");
        QVERIFY(!AvviaProgramma(*env.state, false));
        QCOMPARE(env.dialogs.messages.size(), 1);
        QVERIFY(env.windows->loaded().isEmpty());
        QCOMPARE(env.get(QStringLiteral("C/ImpostazioniProgrammiQuorla")), QByteArray("a file in the way"));
    }

    // The fragments keep their blanks and lower-case copies, in index order.
    void frasi()
    {
        TestEnv env;
        numberedLanguage(env);
        env.language(QStringLiteral("Italiano"),
                     QString::fromUtf8(env.get(QStringLiteral("prog/lgnvorbello/Italiano.lng")))
                         .replace(QStringLiteral("0020=K0020"), QStringLiteral("0020=Il Cucchiaino"))
                         .replace(QStringLiteral("0021=K0021"), QStringLiteral("0021=Il BISCOTTO")));
        CaricaFrasi(*env.state);
        const auto &F = env.state->Frasi;
        QCOMPARE(F[0], QStringLiteral("K0003"));
        QCOMPARE(F[2], QStringLiteral(" K0005 "));
        QCOMPARE(F[4], QStringLiteral("K0007 "));
        QCOMPARE(F[6], QStringLiteral("K0009"));
        QCOMPARE(F[18], QStringLiteral("Il BISCOTTO"));
        QCOMPARE(F[19], QStringLiteral("il biscotto"));
        QCOMPARE(F[20], QStringLiteral("il cucchiaino"));
        QCOMPARE(F[21], QStringLiteral(" K0022 "));
        QCOMPARE(F[28], QStringLiteral("K0029 "));
        QCOMPARE(F[34], QStringLiteral("K0035"));
        QCOMPARE(F[35], QStringLiteral("K0035 "));
        QCOMPARE(F[36], QStringLiteral("K0027 "));
        QCOMPARE(F[37], QStringLiteral("K0028 "));
        QCOMPARE(F[38], QStringLiteral("K0009 "));
        QCOMPARE(F[39], QStringLiteral("K0010 "));
        QCOMPARE(F[40], QStringLiteral("K0036 "));
        QCOMPARE(F[41], QStringLiteral("K0011 "));
        QCOMPARE(F[44], QStringLiteral("K0031 "));
        QCOMPARE(F[45], QStringLiteral("K0033 "));
        QCOMPARE(F[46], QStringLiteral("K0039 "));
        QCOMPARE(F[50], QStringLiteral(" K0043 "));
        QCOMPARE(F[51], QStringLiteral("K0044"));
        QCOMPARE(F[58], QStringLiteral("K0051"));
        QCOMPARE(F[59], QStringLiteral("K0052 "));
        QCOMPARE(F[60], QString());
    }

    // The palette: both notations agree, all 216 web colours, none twice.
    void palette()
    {
        TestEnv env;
        CaricaPalette(*env.state);
        const auto &hex = env.state->ColoriHex;
        const auto &vb = env.state->ColoriVB;
        QCOMPARE(hex[0], QStringLiteral("FFFFFF"));
        QCOMPARE(vb[0], QStringLiteral("&H00FFFFFF&"));
        QCOMPARE(hex[6], QStringLiteral("FFCC00"));
        QCOMPARE(vb[6], QStringLiteral("&H0000CCFF&"));
        QCOMPARE(hex[31], QStringLiteral("FF0000"));
        QCOMPARE(vb[31], QStringLiteral("&H000000FF&"));
        QSet<QString> seen;
        const QString steps = QStringLiteral("00 33 66 99 CC FF");
        for (int i = 0; i < 216; ++i) {
            seen.insert(hex[i]);
            for (int c = 0; c < 3; ++c)
                QVERIFY(steps.contains(hex[i].mid(2 * c, 2)));
            const uint code = vb[i].mid(2, 8).toUInt(nullptr, 16);
            QCOMPARE(QColor::fromRgb(code & 0xFF, (code >> 8) & 0xFF, (code >> 16) & 0xFF).name().mid(1).toUpper(),
                     hex[i]);
        }
        QCOMPARE(seen.size(), 216);
    }

    // The gradient runs from pink-violet at the top to orange at the bottom, in 256 bands.
    void gradient()
    {
        TestEnv env;
        FormAvvio w(*env.state);
        w.resize(400, 512);
        const QImage img = w.grab().toImage();
        QCOMPARE(img.pixelColor(5, 0), QColor(255, 82, 255));
        QCOMPARE(img.pixelColor(5, img.height() - 1), QColor(255, 82, 0));
        QCOMPARE(img.pixelColor(5, img.height() / 2).blue(), 255 - 128);
    }

    // The start-up window scales its controls with its size through the shared resizer, from
    // the design values every time.
    void controlsFollowTheWindowSize()
    {
        TestEnv env;
        auto *w = new FormAvvio(*env.state);
        w->Form_Load();
        QVERIFY(env.state->Ridimensionatore);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        for (const QSize size : {QSize(1600, 1200), QSize(400, 300), QSize(1600, 1200)}) {
            w->resize(size);
            QTRY_COMPARE(w->size(), size);
            QCOMPARE(w->Command1->geometry(),
                     QRect(340 * size.width() / 800, 440 * size.height() / 600,
                           120 * size.width() / 800, 120 * size.height() / 600));
        }
        delete w;
    }

    // Opening a missing document shows nothing and carries on.
    void missingDocument()
    {
        TestEnv env;
        ApriDocumento(*env.state, nullptr, env.state->paths.programFolder() + QStringLiteral("\\Vorbello.pdf"));
        QVERIFY(env.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestAvvio)
#include "tst_avvio.moc"
