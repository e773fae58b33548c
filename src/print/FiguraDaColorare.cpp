#include "print/FiguraDaColorare.h"

#include <QKeyEvent>
#include <QPainter>
#include <QSvgRenderer>

FiguraDaColorare::FiguraDaColorare(const QString &hostPath, QWidget *parent)
    : QAbstractButton(parent), m_svg(std::make_unique<QSvgRenderer>(hostPath))
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

FiguraDaColorare::~FiguraDaColorare() = default;

bool FiguraDaColorare::valida() const
{
    return m_svg->isValid();
}

void FiguraDaColorare::disegna(QPainter &p, const QRect &target) const
{
    p.fillRect(target, Qt::white);
    if (!m_svg->isValid() || target.isEmpty())
        return;
    QSizeF size = m_svg->viewBoxF().size();
    if (size.isEmpty())
        size = target.size();
    size.scale(target.size(), Qt::KeepAspectRatio);
    const QRectF r(target.x() + (target.width() - size.width()) / 2,
                   target.y() + (target.height() - size.height()) / 2, size.width(), size.height());
    m_svg->render(&p, r);
}

void FiguraDaColorare::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    disegna(p, rect());
    if (hasFocus()) {
        QPen pen(palette().color(QPalette::Highlight), 4);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(2, 2, -2, -2));
    }
}

void FiguraDaColorare::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        click();
    else
        QAbstractButton::keyPressEvent(event);
}
