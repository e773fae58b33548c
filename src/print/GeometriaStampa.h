#pragma once

#include "platform/Printers.h"

#include <QString>
#include <optional>

// Where a print goes on the sheet, in whole millimetres: left and top margins, width, height.
struct Posizione
{
    int X = 10;
    int Y = 10;
    int W = 100;
    int H = 100;
    bool operator==(const Posizione &) const = default;
};

// The arithmetic of placing a print on a sheet, apart from any window.
namespace GeometriaStampa {

constexpr int MaxDimensione = 2000;

// Rounds as the boxes always have: halves to the even neighbour.
int Arrotonda(double v);

// The numeric value of a box's text (leading digits and one point; nothing readable is 0).
double Valore(const QString &testo);

// What a typed size or margin becomes: the value limited to [minimo, massimo] and the text the
// box should then show (the same text when it was within the limits).
struct Limitato
{
    int valore;
    QString testo;
};
Limitato Limita(const QString &testo, int minimo, int massimo);

// Margins that centre the print on the sheet.
Posizione Centra(Posizione p, const Foglio &f);
bool FuoriFoglio(const Posizione &p, const Foglio &f);

// The other side from one side and the object's width / height.
int AltezzaDaLarghezza(int w, double proporzione);
int LarghezzaDaAltezza(int h, double proporzione);

// Scale 1 : s of an object `larghezzaOggetto` units wide; nothing when s is not positive.
std::optional<Posizione> ApplicaScala(Posizione p, double s, double larghezzaOggetto,
                                      double proporzione);
// The scale shown for a width: "#,###,##0.##" without grouping, so it reads back.
QString TestoScala(double larghezzaOggetto, int w);

// "Use the whole sheet", with or without the object's proportions.
Posizione Massimo(Posizione p, const Foglio &f, bool proporzioni, bool centro,
                  double proporzione);

// The print shrunk to fit the sheet, first by width then by height, keeping its proportions.
Posizione AdattaAlFoglio(Posizione p, const Foglio &f);

} // namespace GeometriaStampa
