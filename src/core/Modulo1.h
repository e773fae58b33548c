#pragma once

#include <QString>

class AppState;
class QWidget;

// The settings folders, as the program names them.
namespace SettingsRoot {
inline const QString Radice = QStringLiteral("C:\\ImpostazioniProgrammiQuorla\\");
inline const QString Programma = QStringLiteral("C:\\ImpostazioniProgrammiQuorla\\Vorbello\\");
inline const QString Dati = QStringLiteral("C:\\ImpostazioniProgrammiQuorla\\Vorbello\\dati");
inline const QString Leggimi = QStringLiteral("C:\\ImpostazioniProgrammiQuorla\\leggimi.txt");
} // namespace SettingsRoot

// The publisher's contact details, shown in the notice file.
inline const QString IndirizzoWeb = QStringLiteral("https://vorbello.example.org");
// The cursive font we ship (Ecolier court, from Debian's fonts-ecolier-court) and where its
// author publishes it; the font message credits them.
inline const QString AutoreFont = QStringLiteral("Jean-Marie Douteau");
inline const QString IndirizzoAutoreFont = QStringLiteral("http://perso.orange.fr/jm.douteau/");

// Creates the three settings folders where missing, in order; the font is offered when the
// program folder is created. False when a folder or the notice cannot be made (nothing else is
// attempted then).
bool CreaCartelleImpostazioni(AppState &state);
// One level (the parent must exist); then rewrites the notice file in the settings root.
bool CreaCartella(AppState &state, const QString &path);
// The folder whose "fonts" sub-folder holds the user's fonts, lower case, ending in a backslash.
QString CartellaWindows(const AppState &state);
void InstallaFontCorsivo(AppState &state);
void CaricaFrasi(AppState &state);
// How entry i of Frasi is made from a numbered string (chiave 0: always empty).
struct VoceFrasi
{
    int chiave = 0;
    bool spazioPrima = false;
    bool spazioDopo = false;
    bool minuscolo = false;
};
const VoceFrasi &VoceDiFrasi(int i);
// "0092" for 92.
QString ChiaveNumerata(int key);
void CaricaPalette(AppState &state);
// Opens a document with the desktop's handler. A missing file does nothing visible; when no
// program can show it, the user is told so with its path.
void ApriDocumento(AppState &state, QWidget *parent, const QString &path);
// The same for a host path (a document the program made).
void MostraFile(AppState &state, QWidget *parent, const QString &hostPath);

// The bytes of the notice file.
QByteArray TestoLeggimi();
