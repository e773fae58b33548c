#include "about/FormInfo.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "core/Modulo1.h"
#include "core/SvgPicture.h"
#include "lang/modLanguageSupport.h"

#include <QLabel>

namespace {

QLabel *etichetta(QWidget *parent, const char *name, const QRect &geometry, int points)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setGeometry(geometry);
    QFont f = l->font();
    f.setPointSize(points);
    l->setFont(f);
    return l;
}

} // namespace

FormInfo::FormInfo(AppState &state) : FormBase(state, QStringLiteral("FormInfo"), {640, 480})
{
    setWindowTitle(QStringLiteral("Vorbello"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xD6));
    pal.setColor(QPalette::WindowText, QColor(0x3a, 0x2e, 0x39));
    setPalette(pal);

    Image1 = new SvgPicture(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(250, 20, 140, 140);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->load(state.paths.toHost(state.paths.programFolder() + QStringLiteral("\\immagini\\info.svg")));
    connect(Image1, &SvgPicture::clicked, this, [this] {
        ApriDocumento(m_state, this, m_state.paths.programFolder() + QStringLiteral("\\documento.pdf"));
    });

    Label1 = etichetta(this, "Label1", QRect(40, 170, 560, 80), 14);
    Label2 = etichetta(this, "Label2", QRect(40, 250, 560, 20), 12);
    Label3 = etichetta(this, "Label3", QRect(40, 275, 560, 70), 11);
    Label4 = etichetta(this, "Label4", QRect(40, 345, 560, 70), 11);

    Command1 = new ColorButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setText(QStringLiteral("Chiudi"));
    Command1->setGeometry(270, 420, 100, 40);
    Command1->setSfondo(QColor(0xC8, 0xE6, 0xA0));
    Command1->setFocusPolicy(Qt::StrongFocus);
    connect(Command1, &QPushButton::clicked, this, [this] { mostraEChiudi(QStringLiteral("FormMenu")); });
}

QString FormInfo::testoLingua(AppState &state)
{
    QString out;
    for (const char *key : {"9996", "9997", "9998", "9999"}) {
        const QString t = MLSGetString(state, QString::fromLatin1(key));
        if (!t.isEmpty())
            out += t + QStringLiteral("\r\n");
    }
    return out;
}

void FormInfo::Form_Activate()
{
    occupaSchermo();
    Label1->setText(QStringLiteral("Vorbello - esercizi sulle tazze\r\n"
                                   "Il gruppo di Vorbello - ") +
                    IndirizzoWeb + QStringLiteral(" - info@vorbello.example.org\r\n"));
    Label2->setText(QString());
    Label3->setText(QString::fromUtf8(
        "Il programma è libero: si può usare, copiare e distribuire gratuitamente.\r\n"
        "Viene fornito così com'è, senza alcuna garanzia.\r\n"
        "Le immagini, i suoni e i testi sono stati realizzati per Vorbello."));
    Label4->setText(testoLingua(m_state));
    Command1->setAccessibleName(Command1->text());
    Command1->setFocus();
}
