#include "core/PictureButton.h"

#include <QEvent>
#include <QFileInfo>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QSvgRenderer>

PictureButton::PictureButton(QWidget *parent) : QPushButton(parent)
{
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
}

bool PictureButton::setPicture(const QString &hostPath)
{
    if (!QFileInfo(hostPath).isFile())
        return false;
    auto *r = new QSvgRenderer(hostPath, this);
    if (!r->isValid()) {
        delete r;
        return false;
    }
    delete m_picture;
    m_picture = r;
    update();
    return true;
}

void PictureButton::paintEvent(QPaintEvent *event)
{
    if (!m_picture) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QSizeF size = m_picture->defaultSize();
    size.scale(QSizeF(rect().size()) * 0.94, Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    m_picture->render(&p, target);
    if (hasFocus()) {
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
    }
}
