#pragma once

#include <QColor>

// Colours are stored as 32-bit codes held in doubles: 0x00BBGGRR, or a system colour with the
// top bit set and its index in the low byte (0x80000012 button text, 0x8000000F button face).
QColor ColoreDaCodice(double code);
// The code of an RGB colour (never a system colour).
double CodiceDaColore(const QColor &colour);
// "RRGGBB" as the movies take it; invalid text gives an invalid colour.
QColor ColoreDaHex(const QString &rrggbb);
