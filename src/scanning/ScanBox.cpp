#include "scanning/ScanBox.h"

#include "scanning/Scansione.h"

#include <QKeyEvent>

ScanBox::ScanBox(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_KeyCompression, false);
    resize(2, 2);
}

int ScanBox::codice(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Space: return Tasto::Spazio;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Tasto::Invio;
    case Qt::Key_Left: return Tasto::Sinistra;
    case Qt::Key_Up: return Tasto::Su;
    case Qt::Key_Right: return Tasto::Destra;
    case Qt::Key_Down: return Tasto::Giu;
    default: return 0;
    }
}

void ScanBox::keyPressEvent(QKeyEvent *event)
{
    const int c = codice(event->key());
    if (!c) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || (m_filtro && !m_filtro->press(c, qint64(event->timestamp()))))
        return;
    Q_EMIT premuto(c);
}

void ScanBox::keyReleaseEvent(QKeyEvent *event)
{
    const int c = codice(event->key());
    if (!c) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    using Release = SwitchFilter::Release;
    switch (m_filtro ? m_filtro->release(c, qint64(event->timestamp())) : Release::Counts) {
    case Release::Counts:
        Q_EMIT rilasciato(c);
        break;
    case Release::TooShort:
        Q_EMIT annullato(c);
        break;
    case Release::Ignored:
        break;
    }
}

void ScanBox::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    Q_EMIT fuocoPerso();
}
