#include "print/GeometriaStampa.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace GeometriaStampa {

int Arrotonda(double v)
{
    if (!std::isfinite(v))
        return 0;
    v = std::clamp(v, -2147483648.0, 2147483647.0);
    // The default rounding mode rounds halves to even.
    return int(std::nearbyint(v));
}

double Valore(const QString &testo)
{
    QString numero;
    bool punto = false;
    for (QChar c : testo.trimmed()) {
        if (c.isDigit() && c.unicode() < 128)
            numero += c;
        else if (c == QLatin1Char('.') && !punto) {
            punto = true;
            numero += c;
        } else if (c == QLatin1Char('-') && numero.isEmpty())
            numero += c;
        else
            break;
    }
    bool ok = false;
    const double v = numero.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

Limitato Limita(const QString &testo, int minimo, int massimo)
{
    const double v = Valore(testo);
    if (v > massimo)
        return {massimo, QString::number(massimo)};
    if (v < minimo)
        return {minimo, testo.trimmed().isEmpty() ? testo : QString::number(minimo)};
    return {Arrotonda(v), testo};
}

Posizione Centra(Posizione p, const Foglio &f)
{
    p.X = Arrotonda((f.larghezza - p.W) / 2.0);
    p.Y = Arrotonda((f.altezza - p.H) / 2.0);
    return p;
}

bool FuoriFoglio(const Posizione &p, const Foglio &f)
{
    return p.X + p.W > f.larghezza || p.Y + p.H > f.altezza || p.X < 0 || p.Y < 0;
}

int AltezzaDaLarghezza(int w, double proporzione)
{
    return proporzione > 0 ? std::clamp(Arrotonda(w / proporzione), 1, MaxDimensione) : w;
}

int LarghezzaDaAltezza(int h, double proporzione)
{
    return proporzione > 0 ? std::clamp(Arrotonda(h * proporzione), 1, MaxDimensione) : h;
}

std::optional<Posizione> ApplicaScala(Posizione p, double s, double larghezzaOggetto,
                                      double proporzione)
{
    if (!(s > 0) || !std::isfinite(s) || !(proporzione > 0))
        return std::nullopt;
    double w = std::min(larghezzaOggetto / s, double(MaxDimensione));
    double h = w / proporzione;
    if (h > MaxDimensione) {
        h = MaxDimensione;
        w = proporzione * MaxDimensione;
    }
    // A tiny print still has a size the boxes accept.
    p.W = std::clamp(Arrotonda(w), 1, MaxDimensione);
    p.H = std::clamp(Arrotonda(h), 1, MaxDimensione);
    return p;
}

QString TestoScala(double larghezzaOggetto, int w)
{
    if (w <= 0)
        return QString();
    QString t = QString::number(larghezzaOggetto / w, 'f', 2);
    while (t.endsWith(QLatin1Char('0')))
        t.chop(1);
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t;
}

Posizione Massimo(Posizione p, const Foglio &f, bool proporzioni, bool centro, double proporzione)
{
    if (!f.valido())
        return p;
    if (!proporzioni || !(proporzione > 0)) {
        p.W = f.larghezza;
        p.H = f.altezza;
    } else if (proporzione >= double(f.larghezza) / f.altezza) {
        p.W = f.larghezza;
        p.H = AltezzaDaLarghezza(p.W, proporzione);
        p.X = 0;
    } else {
        p.H = f.altezza;
        p.W = LarghezzaDaAltezza(p.H, proporzione);
        p.Y = 0;
    }
    if (!centro) {
        if (p.X + p.W > f.larghezza)
            p.X = f.larghezza - p.W;
        if (p.Y + p.H > f.altezza)
            p.Y = f.altezza - p.H;
    }
    return p;
}

Posizione AdattaAlFoglio(Posizione p, const Foglio &f)
{
    auto scala = [&p](double k) {
        p.X = Arrotonda(p.X * k);
        p.Y = Arrotonda(p.Y * k);
        p.W = std::max(1, Arrotonda(p.W * k));
        p.H = std::max(1, Arrotonda(p.H * k));
    };
    if (p.X + p.W > f.larghezza && p.X + p.W > 0)
        scala(double(f.larghezza) / (p.X + p.W));
    if (p.Y + p.H > f.altezza && p.Y + p.H > 0)
        scala(double(f.altezza) / (p.Y + p.H));
    return p;
}

} // namespace GeometriaStampa
