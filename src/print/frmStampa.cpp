#include "print/frmStampa.h"

#include "print/PrintService.h"

#include "core/AppState.h"
#include "core/FormBase.h"
#include "core/Modulo1.h"
#include "platform/Dialogs.h"
#include "print/FiguraDaColorare.h"
#include "print/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>

using namespace GeometriaStampa;

namespace {

const QString TitoloErrore = QStringLiteral(" Errore in frmStampaFPB/");

QColor facciataBottone()
{
    return QApplication::palette().color(QPalette::Button);
}

QPixmap disegnoStampante()
{
    QPixmap pm(48, 36);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13, 2, 22, 12));               // paper going in
    p.setBrush(QColor(0x70, 0x78, 0x88));
    p.drawRoundedRect(QRectF(3, 11, 42, 16), 3, 3);  // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(11, 22, 26, 12));              // paper coming out
    p.setBrush(QColor(0x40, 0xC0, 0x40));
    p.drawEllipse(QPointF(39, 16), 1.8, 1.8);
    return pm;
}

} // namespace

// The sheet with its shadow, the print placed on it, and the two notices over it.
class AnteprimaFoglio : public QWidget
{
public:
    AnteprimaFoglio(frmStampa &finestra, QWidget *parent) : QWidget(parent), m_f(finestra)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    QRect foglio() const
    {
        const Foglio f = m_f.m_foglio;
        const QRect area = rect().adjusted(8, 8, -12, -12);
        if (!f.valido() || area.isEmpty())
            return {};
        // By its height when it is not wider than high, otherwise by its width.
        int w, h;
        if (f.larghezza <= f.altezza) {
            h = area.height();
            w = int(std::lround(double(h) * f.larghezza / f.altezza));
            if (w > area.width()) {
                w = area.width();
                h = int(std::lround(double(w) * f.altezza / f.larghezza));
            }
        } else {
            w = area.width();
            h = int(std::lround(double(w) * f.altezza / f.larghezza));
            if (h > area.height()) {
                h = area.height();
                w = int(std::lround(double(h) * f.larghezza / f.altezza));
            }
        }
        return QRect(area.x() + (area.width() - w) / 2, area.y() + (area.height() - h) / 2, w, h);
    }

    QRect stampa() const
    {
        const QRect sheet = foglio();
        if (sheet.isEmpty())
            return {};
        const Posizione p = m_f.m_pos;
        QRect r = RettangoloPixel(QRect(p.X, p.Y, p.W, p.H), m_f.m_foglio, sheet.size());
        return r.translated(sheet.topLeft());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
        const QRect sheet = foglio();
        if (sheet.isEmpty())
            return;
        p.fillRect(sheet.translated(4, 4), Qt::black); // shpBordo
        p.fillRect(sheet, Qt::white);                 // shpFoglio
        if (m_f.m_conOggetto && m_f.m_pos.W > 1 && m_f.m_pos.H > 1 && m_f.m_disegna) {
            p.save();
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            m_f.m_disegna(p, stampa());
            p.restore();
        }
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(sheet.adjusted(0, 0, -1, -1));
    }

private:
    frmStampa &m_f;
};

frmStampa::frmStampa(AppState &state, QWidget *parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmStampa"));
    setWindowTitle(QStringLiteral("  Impostazioni stampante"));
    setModal(true);
    setFixedSize(640, 452);

    auto label = [](QWidget *parent, const char *name, const QString &text, QRect g) {
        auto *l = new QLabel(text, parent);
        l->setObjectName(QString::fromLatin1(name));
        l->setTextFormat(Qt::PlainText);
        l->setGeometry(g);
        return l;
    };
    auto box = [this](QWidget *parent, const char *name, QRect g) {
        auto *e = new QLineEdit(parent);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(g);
        e->setAlignment(Qt::AlignRight);
        e->installEventFilter(this);
        return e;
    };
    auto button = [](QWidget *parent, const char *name, const QString &text, QRect g) {
        auto *b = new QPushButton(text, parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(g);
        b->setAutoDefault(false);
        return b;
    };
    auto group = [this](const char *name, const QString &title, QRect g) {
        auto *f = new QGroupBox(title, this);
        f->setObjectName(QString::fromLatin1(name));
        f->setGeometry(g);
        return f;
    };
    auto arrows = [](QWidget *parent, const char *name, int min, int max, QLineEdit *buddy) {
        auto *u = new UpDown(min, max, parent);
        u->setObjectName(QString::fromLatin1(name));
        const QRect g = buddy->geometry();
        u->setGeometry(g.right() + 1, g.y(), 18, g.height());
        return u;
    };

    Frame1 = group("Frame1", QStringLiteral("Stampante"), QRect(8, 4, 624, 62));
    Label1 = label(Frame1, "Label1", QStringLiteral("Nome:"), QRect(12, 26, 48, 22));
    Label1->installEventFilter(this);
    cboPrinterNames = new QComboBox(Frame1);
    cboPrinterNames->setObjectName(QStringLiteral("cboPrinterNames"));
    cboPrinterNames->setGeometry(62, 24, 370, 26);
    cboPrinterNames->setAccessibleName(QStringLiteral("Stampante"));
    Label1->setBuddy(cboPrinterNames);
    cmdProprieta = button(Frame1, "cmdProprieta", QStringLiteral("&Proprieta'"), QRect(442, 22, 110, 30));
    imgPrinter = label(Frame1, "imgPrinter", QString(), QRect(566, 18, 48, 36));
    imgPrinter->setPixmap(disegnoStampante());

    Frame2 = group("Frame2", QStringLiteral("Foglio"), QRect(8, 70, 272, 330));
    picPreview = new AnteprimaFoglio(*this, Frame2);
    picPreview->setObjectName(QStringLiteral("picPreview"));
    picPreview->setGeometry(10, 22, 252, 246);
    lblFuoriFoglio = label(picPreview, "lblFuoriFoglio", QStringLiteral("Stampa fuori foglio"),
                           QRect(46, 4, 160, 22));
    lblFuoriFoglio->setAlignment(Qt::AlignCenter);
    lblFuoriFoglio->setAutoFillBackground(true);
    lblFuoriFoglio->hide();
    lblStampaInCorso = label(picPreview, "lblStampaInCorso", QStringLiteral("Stampa in corso..."),
                             QRect(0, 0, 160, 30));
    lblStampaInCorso->setAlignment(Qt::AlignCenter);
    lblStampaInCorso->setAutoFillBackground(true);
    lblStampaInCorso->setFrameShape(QFrame::Box);
    lblStampaInCorso->hide();
    Label3 = label(Frame2, "Label3", QStringLiteral("Larghezza:"), QRect(20, 274, 80, 20));
    lblFgW = label(Frame2, "lblFgW", QString(), QRect(104, 274, 50, 20));
    lblFgW->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label5 = label(Frame2, "Label5", QStringLiteral("[mm]"), QRect(160, 274, 40, 20));
    Label4 = label(Frame2, "Label4", QStringLiteral("Altezza:"), QRect(20, 298, 80, 20));
    lblFgH = label(Frame2, "lblFgH", QString(), QRect(104, 298, 50, 20));
    lblFgH->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6 = label(Frame2, "Label6", QStringLiteral("[mm]"), QRect(160, 298, 40, 20));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);

    Frame3 = group("Frame3", QStringLiteral("Margini Stampa [mm]"), QRect(288, 70, 344, 106));
    Label7 = label(Frame3, "Label7", QStringLiteral("Sinistro:"), QRect(12, 26, 80, 22));
    txtPrX = box(Frame3, "txtPrX", QRect(96, 24, 60, 26));
    updPrX = arrows(Frame3, "updPrX", -MaxDimensione, MaxDimensione, txtPrX);
    Label9 = label(Frame3, "Label9", QStringLiteral("Superiore:"), QRect(12, 60, 80, 22));
    txtPrY = box(Frame3, "txtPrY", QRect(96, 58, 60, 26));
    updPrY = arrows(Frame3, "updPrY", -MaxDimensione, MaxDimensione, txtPrY);
    Label7->setBuddy(txtPrX);
    Label9->setBuddy(txtPrY);
    chkCentro = new QCheckBox(QStringLiteral("Stampa &al centro"), Frame3);
    chkCentro->setObjectName(QStringLiteral("chkCentro"));
    chkCentro->setGeometry(184, 24, 156, 26);
    cmdOrigine = button(Frame3, "cmdOrigine", QStringLiteral("&0 / 0"), QRect(184, 58, 70, 28));
    cmdOrigine->setToolTip(QStringLiteral("Imposta i margini a 0"));

    Frame4 = group("Frame4", QStringLiteral("Dimensioni Stampa [mm]"), QRect(288, 180, 344, 106));
    Label8 = label(Frame4, "Label8", QStringLiteral("Larghezza:"), QRect(12, 26, 80, 22));
    txtPrW = box(Frame4, "txtPrW", QRect(96, 24, 60, 26));
    updPrW = arrows(Frame4, "updPrW", 2, MaxDimensione, txtPrW);
    Label10 = label(Frame4, "Label10", QStringLiteral("Altezza:"), QRect(12, 60, 80, 22));
    txtPrH = box(Frame4, "txtPrH", QRect(96, 58, 60, 26));
    updPrH = arrows(Frame4, "updPrH", 2, MaxDimensione, txtPrH);
    Label8->setBuddy(txtPrW);
    Label10->setBuddy(txtPrH);
    chkProporzioni = new QCheckBox(QStringLiteral("&Mantieni proporzioni"), Frame4);
    chkProporzioni->setObjectName(QStringLiteral("chkProporzioni"));
    chkProporzioni->setGeometry(184, 24, 156, 26);
    chkProporzioni->setChecked(true);
    cmdMax = button(Frame4, "cmdMax", QStringLiteral("M a &x"), QRect(184, 58, 70, 28));
    cmdMax->setToolTip(QStringLiteral("Usa tutto il foglio"));

    lblLblScala = label(this, "lblLblScala", QStringLiteral("Scala:"), QRect(300, 298, 70, 24));
    lblPScala = label(this, "lblPScala", QStringLiteral("1 :"), QRect(372, 298, 24, 24));
    txtScala = new QLineEdit(this);
    txtScala->setObjectName(QStringLiteral("txtScala"));
    txtScala->setGeometry(398, 296, 80, 28);
    txtScala->setToolTip(QStringLiteral("Nuovo valore + Invio"));
    txtScala->setAccessibleName(QStringLiteral("Scala"));
    txtScala->installEventFilter(this);
    cmdScalaOK = button(this, "cmdScalaOK", QStringLiteral("OK"), QRect(486, 296, 50, 28));

    lblLblNCopie = label(this, "lblLblNCopie", QStringLiteral("N. di copie:"), QRect(300, 338, 90, 24));
    txtNCopies = box(this, "txtNCopies", QRect(398, 336, 60, 28));
    updNCopies = arrows(this, "updNCopies", 1, 100, txtNCopies);
    lblLblNCopie->setBuddy(txtNCopies);

    cmdStampa = button(this, "cmdStampa", QStringLiteral("&Stampa"), QRect(340, 410, 96, 32));
    cmdChiudi = button(this, "cmdChiudi", QStringLiteral("&Chiudi"), QRect(442, 410, 96, 32));
    cmdOK = button(this, "cmdOK", QStringLiteral("OK"), QRect(544, 410, 88, 32));

    // Screen readers name the boxes by their labels.
    txtPrX->setAccessibleName(QStringLiteral("Margine sinistro [mm]"));
    txtPrY->setAccessibleName(QStringLiteral("Margine superiore [mm]"));
    txtPrW->setAccessibleName(QStringLiteral("Larghezza stampa [mm]"));
    txtPrH->setAccessibleName(QStringLiteral("Altezza stampa [mm]"));
    txtNCopies->setAccessibleName(QStringLiteral("Numero di copie"));

    connect(cboPrinterNames, &QComboBox::currentIndexChanged, this, [this] { sceltaStampante(); });
    connect(cmdProprieta, &QPushButton::clicked, this, [this] { cmdProprieta_Click(); });
    for (QLineEdit *e : {txtPrX, txtPrY, txtPrW, txtPrH, txtNCopies}) {
        connect(e, &QLineEdit::textChanged, this, [this, e] { cambiato(e); });
        connect(e, &QLineEdit::textEdited, this, [this, e] { digitato(e); });
        connect(e, &QLineEdit::editingFinished, this, [this, e] { completa(e); });
    }
    const std::pair<UpDown *, QLineEdit *> coppie[] = {
        {updPrX, txtPrX}, {updPrY, txtPrY}, {updPrW, txtPrW}, {updPrH, txtPrH}, {updNCopies, txtNCopies}};
    for (auto [u, e] : coppie)
        connect(u, &UpDown::premuto, this, [this, u = u, e = e](int verso) { passo(e, u, verso); });
    // A scale is applied once per edit: leaving the box again changes nothing.
    connect(txtScala, &QLineEdit::textEdited, this, [this] { m_scalaDigitata = true; });
    connect(txtScala, &QLineEdit::editingFinished, this, [this] { applicaScala(); });
    connect(cmdScalaOK, &QPushButton::clicked, this, [this] { applicaScala(); });
    connect(chkCentro, &QCheckBox::clicked, this, [this] { chkCentro_Click(); });
    connect(chkProporzioni, &QCheckBox::clicked, this, [this] { chkProporzioni_Click(); });
    connect(cmdOrigine, &QPushButton::clicked, this, [this] { cmdOrigine_Click(); });
    connect(cmdMax, &QPushButton::clicked, this, [this] { cmdMax_Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(cmdStampa, &QPushButton::clicked, this, [this] { cmdStampa_Click(); });
    connect(cmdChiudi, &QPushButton::clicked, this, [this] { cmdChiudi_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

frmStampa::~frmStampa() = default;

QString frmStampa::stampante() const
{
    return m_state.stampa.stampante;
}

QRect frmStampa::rettangoloFoglio() const
{
    return picPreview->foglio();
}

QRect frmStampa::rettangoloStampa() const
{
    return picPreview->stampa();
}

bool frmStampa::Prepara(QWidget *oggetto, int X, int Y, int W, std::optional<int> H,
                        std::optional<int> orientamento, std::optional<QString> titolo,
                        std::optional<double> fattoreLarghezza)
{
    Dialogs &d = *m_state.dialogs;
    m_conOggetto = oggetto != nullptr;
    m_orientamentoRichiesto = orientamento.value_or(0);
    if (!oggetto)
        return true;

    auto *figura = qobject_cast<FiguraDaColorare *>(oggetto);
    auto *finestra = qobject_cast<FormBase *>(oggetto);
    if (!figura && !finestra) {
        QString testo;
        if (!oggetto->objectName().isEmpty())
            testo = QStringLiteral("Stampa di ") + oggetto->objectName() + QLatin1Char('\n');
        d.message(this, testo + QStringLiteral("L' oggetto da stampare\ne' di tipo errato."),
                  TitoloErrore + QStringLiteral("StampaFPB"), Dialogs::Icon::Critical);
        return false;
    }
    if (!H) {
        d.message(this, QStringLiteral("Parametri errati."), TitoloErrore + QStringLiteral("StampaFPB"),
                  Dialogs::Icon::Critical);
        return false;
    }
    m_finestra = finestra != nullptr;
    m_nomeOggetto = oggetto->objectName();
    m_larghezzaOggetto = fattoreLarghezza ? *fattoreLarghezza * W : double(oggetto->width());
    if (!(m_larghezzaOggetto > 0))
        m_larghezzaOggetto = 1;

    // The print keeps the object's own shape: W and H only say how big it should come out.
    m_proporzione = *H > 0 ? double(W) / *H : 1.0;
    if (oggetto->width() > 0 && oggetto->height() > 0)
        m_proporzione = double(oggetto->width()) / oggetto->height();
    if (m_finestra) {
        m_immagine = oggetto->grab().toImage();
        if (m_immagine.isNull()) {
            d.message(this, QStringLiteral("Si e' verificata una condizione\ninaspettata elaborando l' immagine."),
                      TitoloErrore + QStringLiteral("StampaFPB"), Dialogs::Icon::Critical);
            return false;
        }
        m_disegna = [this](QPainter &p, const QRect &r) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(r, m_immagine);
        };
    } else {
        QPointer<FiguraDaColorare> f(figura);
        m_disegna = [f](QPainter &p, const QRect &r) {
            if (f)
                f->disegna(p, r);
        };
    }
    m_pos = {X, Y, std::clamp(W, 1, MaxDimensione),
             AltezzaDaLarghezza(std::clamp(W, 1, MaxDimensione), m_proporzione)};
    m_titolo = titolo ? *titolo : m_nomeOggetto;
    return true;
}

void frmStampa::Apri()
{
    m_paginaIniziale = m_state.stampa.pagina;
    if (m_orientamentoRichiesto == 1 || m_orientamentoRichiesto == 2)
        m_state.stampa.pagina.orientamento = m_orientamentoRichiesto;

    for (QWidget *w : std::initializer_list<QWidget *>{cmdStampa, lblLblScala, lblPScala, txtScala,
                                                       cmdScalaOK, lblLblNCopie, txtNCopies,
                                                       updNCopies, imgPrinter})
        w->setVisible(m_conOggetto);

    scriviValori();

    {
        const QSignalBlocker blocco(cboPrinterNames);
        cboPrinterNames->clear();
        cboPrinterNames->addItems(m_state.printers->nomi());
    }
    QString nome = m_state.stampa.stampante;
    if (nome.isEmpty())
        nome = m_state.printers->predefinita();
    const int i = std::max(0, cboPrinterNames->findText(nome, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    {
        const QSignalBlocker blocco(cboPrinterNames);
        cboPrinterNames->setCurrentIndex(i);
    }
    sceltaStampante();

    m_copieIniziali = m_state.stampa.copie;
    if (m_state.stampa.copie < 1)
        m_state.stampa.copie = 1;
    txtNCopies->setText(QString::number(m_state.stampa.copie));

    if (m_conOggetto) {
        setWindowTitle(QStringLiteral("  Stampa Vorbe ") + m_titolo);
        cmdStampa->setDefault(true);
        cmdStampa->setFocus();
    } else {
        setWindowTitle(QStringLiteral("  Impostazioni stampante"));
        cmdOK->setDefault(true);
    }
}

void frmStampa::scriviValori()
{
    txtPrX->setText(QString::number(m_pos.X));
    txtPrY->setText(QString::number(m_pos.Y));
    txtPrW->setText(QString::number(m_pos.W));
    txtPrH->setText(QString::number(m_pos.H));
}

void frmStampa::sceltaStampante()
{
    m_state.stampa.stampante = cboPrinterNames->currentText();
    m_foglio = m_state.printers->foglio(m_state.stampa.stampante, m_state.stampa.pagina);
    ridisegnaFoglio();
    if (!m_foglio.valido() && !m_state.stampa.stampante.isEmpty())
        m_state.dialogs->message(this, QStringLiteral("Non posso accedere alla stampante richiesta.\n"),
                                 TitoloErrore + QStringLiteral("OpenDocPrinter"), Dialogs::Icon::Critical);
}

void frmStampa::ridisegnaFoglio()
{
    lblFgW->setText(m_foglio.valido() ? QString::number(m_foglio.larghezza) : QString());
    lblFgH->setText(m_foglio.valido() ? QString::number(m_foglio.altezza) : QString());
    AggiornaAnteprima();
    picPreview->update();
}

void frmStampa::AggiornaAnteprima()
{
    if (m_pos.W <= 1 || m_pos.H <= 1)
        return;
    if (chkCentro->isChecked() && m_foglio.valido()) {
        m_pos = Centra(m_pos, m_foglio);
        txtPrX->setText(QString::number(m_pos.X));
        txtPrY->setText(QString::number(m_pos.Y));
    }
    const bool fuori = m_foglio.valido() && FuoriFoglio(m_pos, m_foglio);
    lblFuoriFoglio->setVisible(fuori);
    if (fuori && !Timer1->isActive()) {
        m_allarmeAcceso = false;
        Timer1_Timer();
        Timer1->start();
    } else if (!fuori) {
        Timer1->stop();
    }
    picPreview->update();
}

void frmStampa::Timer1_Timer()
{
    m_allarmeAcceso = !m_allarmeAcceso;
    QPalette pal = lblFuoriFoglio->palette();
    pal.setColor(QPalette::Window, m_allarmeAcceso ? coloreAllarme() : facciataBottone());
    lblFuoriFoglio->setPalette(pal);
}

void frmStampa::cambiato(QLineEdit *e)
{
    // Nothing to store while a box is being retyped; its last value stands.
    if (e->text().trimmed().isEmpty())
        return;
    Limitato l{0, e->text()};
    if (e == txtPrW || e == txtPrH)
        l = Limita(e->text(), 1, MaxDimensione);
    else if (e == txtPrX || e == txtPrY)
        l = Limita(e->text(), -MaxDimensione, MaxDimensione);
    else
        l = Limita(e->text(), 1, 100);
    if (l.testo != e->text()) {
        e->setText(l.testo); // comes back here with the corrected text
        e->setCursorPosition(int(l.testo.size()));
        return;
    }
    if (e == txtPrW) {
        m_pos.W = l.valore;
        txtScala->setText(TestoScala(m_larghezzaOggetto, m_pos.W));
    } else if (e == txtPrH)
        m_pos.H = l.valore;
    else if (e == txtPrX)
        m_pos.X = l.valore;
    else if (e == txtPrY)
        m_pos.Y = l.valore;
    else
        m_state.stampa.copie = l.valore;
}

void frmStampa::digitato(QLineEdit *e)
{
    // A line edit tells of an edit before it tells of the change, so store the value first.
    cambiato(e);
    if (chkProporzioni->isChecked() && !e->text().trimmed().isEmpty()) {
        if (e == txtPrW)
            txtPrH->setText(QString::number(AltezzaDaLarghezza(m_pos.W, m_proporzione)));
        else if (e == txtPrH)
            txtPrW->setText(QString::number(LarghezzaDaAltezza(m_pos.H, m_proporzione)));
    }
    if (e != txtNCopies)
        AggiornaAnteprima();
}

void frmStampa::passo(QLineEdit *e, UpDown *u, int verso)
{
    if (!e->isEnabled())
        return;
    e->setText(QString::number(u->passo(Arrotonda(Valore(e->text())), verso)));
    digitato(e);
}

void frmStampa::completa(QLineEdit *e)
{
    if (!e->text().trimmed().isEmpty())
        return;
    int v = m_state.stampa.copie;
    if (e == txtPrX)
        v = m_pos.X;
    else if (e == txtPrY)
        v = m_pos.Y;
    else if (e == txtPrW)
        v = m_pos.W;
    else if (e == txtPrH)
        v = m_pos.H;
    e->setText(QString::number(v));
    if (e != txtNCopies)
        AggiornaAnteprima();
}

void frmStampa::applicaScala()
{
    if (!m_scalaDigitata)
        return;
    m_scalaDigitata = false;
    if (txtScala->text().trimmed().isEmpty())
        return;
    const auto p = ApplicaScala(m_pos, Valore(txtScala->text()), m_larghezzaOggetto, m_proporzione);
    if (!p)
        return;
    txtPrW->setText(QString::number(p->W));
    txtPrH->setText(QString::number(p->H));
    AggiornaAnteprima();
}

void frmStampa::chkProporzioni_Click()
{
    if (chkProporzioni->isChecked()) {
        txtPrH->setText(QString::number(AltezzaDaLarghezza(m_pos.W, m_proporzione)));
        lblLblScala->setText(QStringLiteral("Scala:"));
        txtScala->setEnabled(true);
    } else {
        lblLblScala->setText(QStringLiteral("Scala X:"));
    }
    AggiornaAnteprima();
}

void frmStampa::chkCentro_Click()
{
    const bool libero = !chkCentro->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{txtPrX, txtPrY, updPrX, updPrY, cmdOrigine})
        w->setEnabled(libero);
    AggiornaAnteprima();
}

void frmStampa::cmdOrigine_Click()
{
    txtPrX->setText(QStringLiteral("0"));
    txtPrY->setText(QStringLiteral("0"));
    AggiornaAnteprima();
}

void frmStampa::cmdMax_Click()
{
    const Posizione p = Massimo(m_pos, m_foglio, chkProporzioni->isChecked(), chkCentro->isChecked(),
                                m_proporzione);
    txtPrW->setText(QString::number(p.W));
    txtPrH->setText(QString::number(p.H));
    txtPrX->setText(QString::number(p.X));
    txtPrY->setText(QString::number(p.Y));
    AggiornaAnteprima();
}

void frmStampa::cmdProprieta_Click()
{
    ImpostazioniPagina pagina = m_state.stampa.pagina;
    if (!m_state.printers->proprieta(this, m_state.stampa.stampante, pagina))
        return;
    m_state.stampa.pagina = pagina;
    m_foglio = m_state.printers->foglio(m_state.stampa.stampante, pagina);
    ridisegnaFoglio();
}

bool frmStampa::StampaSuFoglio()
{
    Dialogs &d = *m_state.dialogs;
    const QString procedura = m_finestra ? QStringLiteral("Print_Form") : QStringLiteral("Print_PictureBox");

    const QString nome = m_state.stampa.stampante;
    const Foglio f = m_state.printers->foglio(nome, m_state.stampa.pagina);
    if (!f.valido()) {
        d.message(this, QStringLiteral("Non posso accedere alla stampante richiesta.\n"),
                  TitoloErrore + QStringLiteral("OpenDocPrinter"), Dialogs::Icon::Critical);
        return false;
    }
    Posizione p = m_pos;
    if (p.X + p.W > f.larghezza || p.Y + p.H > f.altezza) {
        switch (d.domanda(this,
                          QStringLiteral("Le dimensioni di stampa richieste\nsono superiori a quelle del foglio\n"
                                         "della stampante selezionata.\n\nPosso cambiare la scala?"),
                          QStringLiteral(" Errore di Scala"))) {
        case Dialogs::Risposta::Annulla:
            return false;
        case Dialogs::Risposta::Si:
            p = AdattaAlFoglio(p, f);
            break;
        case Dialogs::Risposta::No:
            break;
        }
    }

    LavoroStampa lavoro;
    lavoro.stampante = nome;
    lavoro.titolo = !m_nomeLavoro.isEmpty() ? m_nomeLavoro
                    : m_titolo.isEmpty()     ? m_nomeOggetto
                                             : m_titolo;
    lavoro.pagina = m_state.stampa.pagina;
    lavoro.copie = std::max(1, m_state.stampa.copie);
    lavoro.rettangoloMm = QRect(p.X, p.Y, p.W, p.H);
    lavoro.disegna = m_disegna;
    const EsitoStampa esito = InviaStampa(m_state, this, lavoro);
    if (!esito.riuscito) {
        d.message(this,
                  TestoErroreStampa(esito, m_finestra ? QStringLiteral("Il Form non viene stampato.")
                                                      : QStringLiteral("Il PictureBox non viene stampato.")),
                  TitoloErrore + procedura, Dialogs::Icon::Critical);
        return false;
    }
    return true;
}

void frmStampa::cmdStampa_Click()
{
    for (QLineEdit *e : {txtPrX, txtPrY, txtPrW, txtPrH, txtNCopies})
        completa(e);
    lblStampaInCorso->move((picPreview->width() - lblStampaInCorso->width()) / 2,
                           (picPreview->height() - lblStampaInCorso->height()) / 2);
    lblStampaInCorso->show();
    lblStampaInCorso->raise();
    lblStampaInCorso->repaint();
    const bool ok = StampaSuFoglio();
    lblStampaInCorso->hide();
    if (ok) {
        m_stampato = true;
        accept();
    }
}

void frmStampa::cmdChiudi_Click()
{
    m_state.stampa.pagina = m_paginaIniziale;
    m_state.stampa.copie = m_copieIniziali;
    m_immagine = QImage();
    QDialog::reject();
}

void frmStampa::reject()
{
    cmdChiudi_Click();
}

void frmStampa::salvaAnteprima()
{
    picPreview->grab().save(QDir::current().filePath(QStringLiteral("PicPrev.bmp")), "BMP");
}

bool frmStampa::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label1 && event->type() == QEvent::MouseButtonDblClick) {
        salvaAnteprima();
        return true;
    }
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit *>(watched)) {
        // Printable characters other than the box's own are thrown away; Esc, Tab and the
        // editing shortcuts go on as usual.
        auto *k = static_cast<QKeyEvent *>(event);
        const bool invio = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        const QString t = k->text();
        const QChar c = t.isEmpty() ? QChar() : t.at(0);
        const bool stampabile = c.isPrint() && !(k->modifiers() & Qt::ControlModifier);
        const bool cifra = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (watched == txtScala) {
            if (invio) {
                applicaScala();
                return true;
            }
            if (stampabile && !cifra && c != QLatin1Char('.'))
                return true;
        } else if (invio || (stampabile && !cifra)) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool StampaFPB(AppState &state, QWidget *parent, QWidget *oggetto, int X, int Y, int W,
               std::optional<int> H, std::optional<int> orientamento,
               std::optional<QString> titolo, std::optional<double> fattoreLarghezza,
               const QString &nomeLavoro)
{
    if (!state.printers || !state.dialogs)
        return false;
    // The first print of the run resolves the printer: the default one, else the first there is.
    if (state.stampa.stampante.isEmpty()) {
        state.stampa.stampante = StampantePredefinita(state);
        if (state.stampa.stampante.isEmpty()) {
            state.dialogs->message(parent, QStringLiteral("Stampante di default non specificata."),
                                   TitoloErrore + QStringLiteral("GetDefPrinterName"),
                                   Dialogs::Icon::Critical);
            return false;
        }
    }
    frmStampa finestra(state, parent);
    if (!finestra.Prepara(oggetto, X, Y, W, H, orientamento, titolo, fattoreLarghezza))
        return false;
    finestra.setNomeLavoro(nomeLavoro);
    finestra.Apri();
    finestra.exec();
    return finestra.stampato();
}
