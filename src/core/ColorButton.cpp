#include "core/ColorButton.h"

#include <QFileInfo>
#include <algorithm>
#include <QFontMetricsF>
#include <QPainter>
#include <QSvgRenderer>

ColorButton::ColorButton(QWidget *parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void ColorButton::setSfondo(const QColor &colour)
{
    if (colour == m_sfondo)
        return;
    m_sfondo = colour;
    update();
}

void ColorButton::setColoreTesto(const QColor &colour)
{
    if (colour == m_testo)
        return;
    m_testo = colour;
    update();
}

bool ColorButton::setFigura(const QString &hostPath)
{
    delete m_figura;
    m_figura = nullptr;
    if (!hostPath.isEmpty() && QFileInfo(hostPath).isFile()) {
        auto *r = new QSvgRenderer(hostPath, this);
        if (r->isValid())
            m_figura = r;
        else
            delete r;
    }
    if (m_figura && accessibleName().isEmpty())
        setAccessibleName(text());
    update();
    return m_figura != nullptr || hostPath.isEmpty();
}

namespace {

// The caption as drawn: line breaks of the layout kept inside, dropped at the ends.
QString didascaliaDisegnata(QString caption)
{
    caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (caption.startsWith(QLatin1Char('\n')))
        caption.remove(0, 1);
    while (caption.endsWith(QLatin1Char('\n')))
        caption.chop(1);
    return caption;
}

QRectF areaTesto(const QRect &rect)
{
    return QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5).adjusted(4, 2, -4, -2);
}

} // namespace

bool ColorButton::didascaliaEntra(const QFont &font) const
{
    const QRectF area = areaTesto(rect());
    const QRectF r = QFontMetricsF(font).boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap,
                                                     didascaliaDisegnata(text()));
    return r.width() <= area.width() && r.height() <= area.height();
}

void ColorButton::setCornice(int spessore)
{
    spessore = std::clamp(spessore, 0, 12);
    if (spessore == m_cornice)
        return;
    m_cornice = spessore;
    update();
}

void ColorButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const qreal radius = std::min(r.width(), r.height()) / 8;
    p.setPen(QPen(QColor(0x3a, 0x2e, 0x39), isDown() ? 3 : 2));
    p.setBrush(m_sfondo);
    p.drawRoundedRect(r, radius, radius);
    if (m_cornice > 0) {
        const qreal half = m_cornice / 2.0;
        p.setPen(QPen(qGray(m_sfondo.rgb()) > 128 ? Qt::black : Qt::white, m_cornice));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(half + 1, half + 1, -half - 1, -half - 1), radius, radius);
    }
    if (m_figura) {
        const QRectF area = r.adjusted(r.width() / 10, r.height() / 10, -r.width() / 10, -r.height() / 10);
        QSizeF size = m_figura->defaultSize();
        size.scale(area.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), size);
        target.moveCenter(area.center());
        // A button that cannot be pressed yet shows its picture faded.
        p.setOpacity(isEnabled() ? 1.0 : 0.3);
        m_figura->render(&p, target);
        return;
    }
    p.setPen(m_testo);
    p.setOpacity(isEnabled() ? 1.0 : 0.4);
    p.setFont(font());
    p.drawText(areaTesto(rect()), Qt::AlignCenter | Qt::TextWordWrap, didascaliaDisegnata(text()));
}
