#include "core/Colori.h"

#include <QApplication>
#include <QPalette>
#include <QRegularExpression>

QColor ColoreDaCodice(double code)
{
    // Out-of-range values come from damaged or hand-edited profiles: read them as black, as a
    // 32-bit conversion would not be possible for them anyway.
    if (!(code >= -2147483648.0 && code <= 4294967295.0))
        return QColor(Qt::black);
    const quint32 v = code < 0 ? quint32(qint32(qint64(code))) : quint32(qint64(code));
    if (v & 0x80000000u) {
        const QPalette pal = QApplication::palette();
        switch (v & 0xFF) {
        case 0x05: return pal.color(QPalette::Base);            // window background
        case 0x08: return pal.color(QPalette::Text);            // window text
        case 0x0D: return pal.color(QPalette::Highlight);
        case 0x0E: return pal.color(QPalette::HighlightedText);
        case 0x0F: return pal.color(QPalette::Button);          // button face
        case 0x10: return pal.color(QPalette::Dark);             // button shadow
        case 0x11: return pal.color(QPalette::PlaceholderText); // grey text
        case 0x12: return pal.color(QPalette::ButtonText);
        case 0x14: return pal.color(QPalette::Light);            // button highlight
        default: return pal.color(QPalette::Window);
        }
    }
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

double CodiceDaColore(const QColor &c)
{
    return double(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}

QColor ColoreDaHex(const QString &rrggbb)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    if (!hex.match(rrggbb).hasMatch())
        return QColor();
    return QColor(QLatin1Char('#') + rrggbb);
}
