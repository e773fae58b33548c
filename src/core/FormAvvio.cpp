#include "core/FormAvvio.h"

#include "core/AppState.h"
#include "core/PictureButton.h"
#include "core/SvgPicture.h"

#include <QKeyEvent>
#include <QLabel>
#include <cmath>
#include <QPainter>

FormAvvio::FormAvvio(AppState &state) : FormBase(state, QStringLiteral("FormAvvio"), {800, 600})
{
    setWindowTitle(QStringLiteral("Vorbello"));
    const QString folder = state.paths.programFolder();

    Command1 = new PictureButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(340, 440, 120, 120);
    Command1->setPicture(state.paths.toHost(folder + QStringLiteral("\\immagini\\avanti.svg")));
    Command1->setAccessibleName(QStringLiteral("Avanti"));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // A switch is a key: the window takes every key, whichever control would have the focus.
    Command1->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);

    Image1 = new SvgPicture(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(250, 130, 300, 300);
    Image1->load(state.paths.toHost(folder + QStringLiteral("\\swf\\vorbe1.svg")));

    Label2 = new QLabel(QStringLiteral("Vorbello"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(100, 30, 600, 90);
    QFont f(QStringLiteral("DejaVu Sans"), 40, QFont::Bold);
    Label2->setFont(f);
    Label2->setStyleSheet(QStringLiteral("color: #4a1d5e;"));
}

QColor FormAvvio::coloreBanda(int i)
{
    return QColor(255, 82, 255 - i);
}

void FormAvvio::Form_Activate()
{
    occupaSchermo();
    update();
}

void FormAvvio::paintEvent(QPaintEvent *)
{
    // 256 bands from the top down; band i covers heights i-1..i on a 256-unit scale.
    QPainter p(this);
    const double unit = height() / 256.0;
    for (int i = 0; i < 256; ++i) {
        const int top = int(std::floor(i * unit));
        const int bottom = int(std::floor((i + 1) * unit));
        p.fillRect(QRect(0, top, width(), std::max(1, bottom - top)), coloreBanda(i));
    }
}

void FormAvvio::keyPressEvent(QKeyEvent *event)
{
    // Space and Enter are the switches, in every input mode: a pupil who cannot use the mouse
    // must be able to leave this window too.
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            Command1_Click();
        return;
    default:
        FormBase::keyPressEvent(event);
    }
}

void FormAvvio::Command1_Click()
{
    mostraEChiudi(QStringLiteral("FormMenu"));
}
