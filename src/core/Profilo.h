#pragma once

#include <QString>
#include <array>

// The current user's settings. Colours are 32-bit colour codes held as doubles: 0x00BBGGRR, or a
// system colour with the top bit set (0x80000012 button text, 0x8000000F button face).
struct Profilo
{
    qint16 Riservato1 = 130;
    qint16 Riservato2 = 100;
    bool Riservato3 = true;
    bool Riservato4 = false;
    bool Riservato5 = true;
    QString Riservato6 = QStringLiteral("Arial");
    qint16 Riservato7 = 14;
    bool Suoni = true;
    bool CursoreSistema = false;
    qint16 ModoInput = 0;         // 0 mouse, 1 step scanning, 2 automatic scanning, 3 keyboard
    qint16 VelocitaScansione = 4; // automatic scanning step in quarter seconds
    // Rows 0..5 × columns 0..4: RRGGBB, then the adjective in masculine singular, masculine
    // plural, feminine singular, feminine plural. Row 0 is the background; row 5 is never used.
    std::array<std::array<QString, 5>, 6> TabellaColori;
    double ColoreFisso = 16777088;
    QString TipoCarattere = QStringLiteral("minuscolo");
    QString NomeFont = QStringLiteral("arial");
    QString FontNormale = QStringLiteral("arial");
    qint16 DimensioneFont = 24;
    double ColoreFont = -2147483630.0;    // 0x80000012
    double ColoreBottoni = -2147483633.0; // 0x8000000F
    bool ColoriVari = true;
    double ColoreSelezione = 255;
    double SfondoTesto = 16777215;
    bool PassaggioLivelli = false;
    bool TieniTraccia = false;

    Profilo();
    bool operator==(const Profilo &) const = default;
};

// Writes the default colour rows 0..4 (row 5 is left alone).
void CaricaNomiColori(Profilo &p);
class AppState;
// The colour rows as the pupil reads them. Rows holding exactly the default names of a colour in
// any language (the stored defaults are Italian) show that colour's default names in the current
// language; names a teacher typed show as typed.
std::array<std::array<QString, 5>, 6> TabellaColoriMostrata(AppState &state);
// Every field to its default.
void ImpostaPredefiniti(Profilo &p);

// The 50 lines of a profile file, CR LF after each, Windows-1252.
QByteArray ProfiloInBytes(const Profilo &p);
// Fills *out from the bytes of a profile file; false (and *out untouched) when the file is short,
// a line cannot be read as its field's type, or a number is out of its field's range or meaning.
bool ProfiloDaBytes(const QByteArray &bytes, Profilo *out);

// Writes the profile to FileProfilo. The old file is replaced only once the new one is complete;
// on failure it stays as it was, the record is untouched, the user is told, and false returned.
bool SalvaProfilo(AppState &state);
// Fills the profile from FileProfilo, or with every default when the file is missing, damaged or
// unreadable: never a mixture of stored and default values. A damaged or unreadable file is
// first moved aside (NAME.ini.danneggiato, NAME.ini.illeggibile, numbered after the first) and
// the user is told where it is.
void CaricaProfilo(AppState &state);
