#include "core/Modulo1.h"

#include "core/AppState.h"
#include "lang/modLanguageSupport.h"
#include "platform/CodePage.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <array>

namespace {

const char *const Palette[216] = {
    "FFFFFF", "CCCCCC", "999999", "666666", "333333", "000000", "FFCC00", "FF9900", "FF6600",
    "FF3300", "99CC00", "CC9900", "FFCC33", "FFCC66", "FF9966", "FF6633", "CC3300", "CC0033",
    "CCFF00", "CCFF33", "333300", "666600", "999900", "CCCC00", "FFFF00", "CC9933", "CC6633",
    "330000", "660000", "990000", "CC0000", "FF0000", "FF3366", "FF0033", "99FF00", "CCFF66",
    "99CC33", "666633", "999933", "CCCC33", "FFFF33", "996600", "993300", "663333", "993333",
    "CC3333", "FF3333", "CC3366", "FF6699", "FF0066", "66FF00", "99FF66", "66CC33", "669900",
    "999966", "CCCC66", "FFFF66", "996633", "663300", "996666", "CC6666", "FF6666", "990033",
    "CC3399", "FF66CC", "FF0099", "33FF00", "66FF33", "339900", "66CC00", "99FF33", "CCCC99",
    "FFFF99", "CC9966", "CC6600", "CC9999", "FF9999", "FF3399", "CC0066", "990066", "FF33CC",
    "FF00CC", "00CC00", "33CC00", "336600", "669933", "99CC66", "CCFF99", "FFFFCC", "FFCC99",
    "FF9933", "FFCCCC", "FF99CC", "CC6699", "993366", "660033", "CC0099", "330033", "33CC33",
    "66CC66", "00FF00", "33FF33", "66FF66", "99FF99", "CCFFCC", "CC99CC", "996699", "993399",
    "990099", "663366", "660066", "006600", "336633", "009900", "339933", "669966", "99CC99",
    "FFCCFF", "FF99FF", "FF66FF", "FF33FF", "FF00FF", "CC66CC", "CC33CC", "003300", "00CC33",
    "006633", "339966", "66CC99", "99FFCC", "CCFFFF", "3399FF", "99CCFF", "CCCCFF", "CC99FF",
    "9966CC", "663399", "330066", "9900CC", "CC00CC", "00FF33", "33FF66", "009933", "00CC66",
    "33FF99", "99FFFF", "99CCCC", "0066CC", "6699CC", "9999FF", "9999CC", "9933FF", "6600CC",
    "660099", "CC33FF", "CC00FF", "00FF66", "66FF99", "33CC66", "009966", "66FFFF", "66CCCC",
    "669999", "003366", "336699", "6666FF", "6666CC", "666699", "330099", "9933CC", "CC66FF",
    "9900FF", "00FF99", "66FFCC", "33CC99", "33FFFF", "33CCCC", "339999", "336666", "006699",
    "003399", "3333FF", "3333CC", "333399", "333366", "6633CC", "9966FF", "6600FF", "00FFCC",
    "33FFCC", "00FFFF", "00CCCC", "009999", "006666", "003333", "3399CC", "3366CC", "0000FF",
    "0000CC", "000099", "000066", "000033", "6633FF", "3300FF", "00CC99", "0099CC", "33CCFF",
    "66CCFF", "6699FF", "3366FF", "0033CC", "3300CC", "00CCFF", "0099FF", "0066FF", "0033FF",
};

} // namespace

QByteArray TestoLeggimi()
{
    const QStringList lines = {
        QStringLiteral("Questa cartella contiene i files di impostazione dei programmi presenti "
                       "nel sito ") +
            IndirizzoWeb + QLatin1Char('.'),
        QStringLiteral(" "),
        QString::fromUtf8("Se qualche programma presenta problemi di funzionamento può essere utile "
                          "cancellare il file *.ini relativo al programma in quata cartella."),
        QStringLiteral(" "),
        QStringLiteral("Non cancellare questo file."),
    };
    QByteArray out;
    for (const QString &l : lines)
        out += CodePage::encode(l) + "\r\n";
    return out;
}

bool CreaCartella(AppState &state, const QString &path)
{
    const QString host = state.paths.toHost(path);
    const QFileInfo fi(host);
    if (!fi.isDir() && !QDir(fi.path()).mkdir(fi.fileName()))
        return false;
    const QString notice = state.paths.toHost(SettingsRoot::Leggimi);
    QFile f(notice);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = TestoLeggimi();
    return f.write(bytes) == bytes.size();
}

QString CartellaWindows(const AppState &)
{
#ifdef Q_OS_WIN
    QString dir = qEnvironmentVariable("WINDIR", QStringLiteral("C:\\Windows"));
#else
    // Drive C is the user's data folder, whose "fonts" sub-folder fontconfig reads.
    QString dir = QStringLiteral("C:");
#endif
    if (!dir.endsWith(QLatin1Char('\\')))
        dir += QLatin1Char('\\');
    return dir.toLower();
}

void InstallaFontCorsivo(AppState &state)
{
    const QString windows = CartellaWindows(state);
    if (EsisteFile(state.paths, windows + QStringLiteral("\\fonts\\indis1.ttf")))
        return;
    const QString source = state.paths.toHost(state.paths.programFolder() +
                                              QStringLiteral("\\indis1.ttf"));
    const QString fontsDir = state.paths.toHost(windows + QStringLiteral("fonts"));
    if (!QFileInfo(source).isFile() || !QDir().mkpath(fontsDir))
        return;
    const QString target = state.paths.toHost(windows + QStringLiteral("fonts\\indis1.ttf"));
    if (!QFile::copy(source, target))
        return;
    if (Fonts::registerForProgram(target, QStringLiteral("Indis1")).isEmpty())
        return;
    const QString text = QStringLiteral("Ho installato il font per il corsivo 'indis1.ttf'\r\n"
                                        " ----------------------- \r\n"
                                        "Font prodotto da ") +
                         AutoreFont + QStringLiteral("\r\n ") + IndirizzoAutoreFont;
    state.dialogs->message(nullptr, text);
}

bool CreaCartelleImpostazioni(AppState &state)
{
    if (!EsisteCartella(state.paths, SettingsRoot::Radice) &&
        !CreaCartella(state, SettingsRoot::Radice))
        return false;
    if (!EsisteCartella(state.paths, SettingsRoot::Programma)) {
        if (!CreaCartella(state, SettingsRoot::Programma))
            return false;
        InstallaFontCorsivo(state);
    }
    if (!EsisteCartella(state.paths, SettingsRoot::Dati) &&
        !CreaCartella(state, SettingsRoot::Dati))
        return false;
    return true;
}

const VoceFrasi &VoceDiFrasi(int i)
{
    // Key, blank before, blank after, lower case; entry 60 is unused and stays empty.
    static const std::array<VoceFrasi, 61> voci = [] {
        std::array<VoceFrasi, 61> v{};
        auto set = [&](int i, int key, bool before = false, bool after = false, bool lower = false) {
            v[i] = {key, before, after, lower};
        };
        set(0, 3);
        set(1, 4);
        set(2, 5, true, true);
        set(3, 6, true, true);
        set(4, 7, false, true);
        set(5, 8, false, true);
        for (int i = 6; i <= 18; ++i)
            set(i, i + 3);
        set(19, 21, false, false, true);
        set(20, 20, false, false, true);
        set(21, 22, true, true);
        set(22, 23, false, true);
        set(23, 24, false, true);
        for (int i = 24; i <= 27; ++i)
            set(i, i + 1);
        set(28, 29, false, true);
        for (int i = 29; i <= 34; ++i)
            set(i, i + 1);
        set(35, 35, false, true);
        set(36, 27, false, true);
        set(37, 28, false, true);
        set(38, 9, false, true);
        set(39, 10, false, true);
        set(40, 36, false, true);
        set(41, 11, false, true);
        set(42, 37, false, true);
        set(43, 38, false, true);
        set(44, 31, false, true);
        set(45, 33, false, true);
        for (int i = 46; i <= 49; ++i)
            set(i, i - 7, false, true);
        set(50, 43, true, true);
        for (int i = 51; i <= 58; ++i)
            set(i, i - 7);
        set(59, 52, false, true);
        return v;
    }();
    return voci.at(std::clamp(i, 0, 60));
}

QString ChiaveNumerata(int key)
{
    return QStringLiteral("%1").arg(key, 4, 10, QLatin1Char('0'));
}

void CaricaFrasi(AppState &state)
{
    const QString b = QStringLiteral(" ");
    for (int i = 0; i < 61; ++i) {
        const VoceFrasi &v = VoceDiFrasi(i);
        if (v.chiave == 0) {
            state.Frasi[i].clear();
            continue;
        }
        QString t = MLSGetString(state, ChiaveNumerata(v.chiave));
        if (v.minuscolo)
            t = t.toLower();
        state.Frasi[i] = (v.spazioPrima ? b : QString()) + t + (v.spazioDopo ? b : QString());
    }
}

void CaricaPalette(AppState &state)
{
    for (int i = 0; i < 216; ++i) {
        const QString hex = QString::fromLatin1(Palette[i]);
        state.ColoriHex[i] = hex;
        state.ColoriVB[i] = QStringLiteral("&H00") + hex.mid(4, 2) + hex.mid(2, 2) + hex.left(2) +
                            QLatin1Char('&');
    }
}

void ApriDocumento(AppState &state, QWidget *parent, const QString &path)
{
    MostraFile(state, parent, state.paths.toHost(path));
}

void MostraFile(AppState &state, QWidget *parent, const QString &hostPath)
{
    if (!QFileInfo(hostPath).isFile())
        return;
    // Without a viewer the teacher would otherwise click and see nothing at all.
    auto nonMostrato = [&state, finestra = QPointer<QWidget>(parent), hostPath] {
        if (state.dialogs)
            state.dialogs->message(finestra, MLSGetString(state, QStringLiteral("0193")) +
                                                 QLatin1Char('\n') + QDir::toNativeSeparators(hostPath),
                                   QStringLiteral("Vorbello"), Dialogs::Icon::Warning);
    };
    const bool avviato = state.apriDocumento ? state.apriDocumento(hostPath)
                                             : Shell::open(hostPath, nonMostrato);
    if (!avviato)
        nonMostrato();
}
