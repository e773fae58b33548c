#include "core/SvgPicture.h"

#include <QMouseEvent>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

SvgPicture::SvgPicture(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

bool SvgPicture::load(const QString &hostPath)
{
    if (!QFileInfo(hostPath).isFile())
        return false;
    auto *r = new QSvgRenderer(hostPath, this);
    if (!r->isValid()) {
        delete r;
        return false;
    }
    delete m_renderer;
    m_renderer = r;
    update();
    return true;
}

bool SvgPicture::isLoaded() const
{
    return m_renderer != nullptr;
}

void SvgPicture::paintEvent(QPaintEvent *)
{
    if (!m_renderer)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QSizeF size = m_renderer->defaultSize();
    size.scale(QSizeF(rect().size()), Qt::KeepAspectRatio);
    m_renderer->render(&p, QRectF(QPointF((width() - size.width()) / 2,
                                          (height() - size.height()) / 2),
                                  size));
}

void SvgPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
