#include "exercises/FormEs8.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "core/FeedbackSounds.h"
#include "core/SelectionFrame.h"
#include "core/SvgPicture.h"
#include "lang/modLanguageSupport.h"
#include "platform/Filmato.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <algorithm>

namespace {

// Design layout on 640 × 480 (the menu bar takes the top, the status bar the bottom 33): the
// instruction panel, the two cups side by side, and the bar of pictures just above the status
// bar, 1 pixel (20 twips) clear of it.
const QRect PosizioneIstruzioni(20, 28, 600, 56);
const QRect PosizioneTazza[2] = {{24, 90, 286, 260}, {330, 90, 286, 260}};
constexpr int AltezzaBarra = 90;
constexpr int StaccoBarra = 1;
const QRect PosizioneBarra(0, 480 - 33 - AltezzaBarra - StaccoBarra, 640, AltezzaBarra);
// In the bar: the instructions button on the left, the new-pair button on the right, and
// between them the seven pictures, each in the middle of its frame.
const QRect PosizioneBottoni[2] = {{570, 13, 64, 64}, {6, 13, 64, 64}};
constexpr int PrimaCornice = 76, PassoCornice = 70, LatoCornice = 68, MargineFigura = 5;
constexpr int AltoCornice = 11;
constexpr int Bordo = 4;

const char *const Nomi[FormEs8::Caratteristiche] = {"Il cuore",
                                                    "Il colore",
                                                    "Il fiore",
                                                    "Il manico",
                                                    "Le strisce",
                                                    "Il vapore",
                                                    "Il cucchiaino o il biscotto"};

} // namespace

FormEs8::FormEs8(AppState &state)
    : FormEsercizio(state, QStringLiteral("FormEs8"), {640, 480}, ExerciseRules::Differenze),
      m_logica(*state.random)
{
    for (int i = 0; i < 2; ++i) {
        auto *f = new Filmato(this);
        f->setObjectName(QStringLiteral("ShockwaveFlash%1").arg(i + 1));
        f->setClipNames(&state.NomiClip);
        f->setGeometry(PosizioneTazza[i]);
        (i == 0 ? ShockwaveFlash1 : ShockwaveFlash2) = f;
    }

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(PosizioneBarra);
    Picture1->setAutoFillBackground(true);
    Picture1->setMouseTracking(true);
    Picture1->installEventFilter(this);

    const QString immagini = state.paths.programFolder() + QStringLiteral("\\immagini\\");
    // Frames first, so that each picture lies over its frame's inner part.
    for (int i = 0; i < Caratteristiche; ++i) {
        auto *c = new SelectionFrame(Picture1, Bordo, SelectionFrame::Corners::Rounded);
        c->setObjectName(QStringLiteral("Shape1"));
        ControlText::setIndex(c, i);
        c->setGeometry(PrimaCornice + i * PassoCornice, AltoCornice, LatoCornice, LatoCornice);
        c->hide();
        Shape1.append(c);
    }
    for (int i = 0; i < Caratteristiche; ++i) {
        auto *img = new SvgPicture(Picture1);
        img->setObjectName(QStringLiteral("Image1"));
        ControlText::setIndex(img, i);
        img->setGeometry(Shape1[i]->geometry().adjusted(MargineFigura, MargineFigura,
                                                        -MargineFigura, -MargineFigura));
        img->load(state.paths.toHost(immagini + QStringLiteral("caratteristica%1.svg").arg(i + 1)));
        img->setToolTip(QString::fromUtf8(Nomi[i]));
        img->setMouseTracking(true);
        img->installEventFilter(this);
        connect(img, &SvgPicture::clicked, this, [this, i] { Image1_Click(i); });
        Image1.append(img);
    }
    for (int i = 0; i < 2; ++i) {
        auto *b = new ColorButton(Picture1);
        b->setObjectName(QStringLiteral("Command1"));
        ControlText::setIndex(b, i);
        b->setGeometry(PosizioneBottoni[i]);
        b->setMouseTracking(true);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1.append(b);
    }
    Command1[0]->setText(QStringLiteral("Nuove tazze"));
    Command1[0]->setFigura(state.paths.toHost(immagini + QStringLiteral("avanti.svg")));
    Command1[1]->setText(QStringLiteral("Istruzioni"));
    Command1[1]->setFigura(state.paths.toHost(immagini + QStringLiteral("info.svg")));

    // The instructions, above the cups; a click on the text puts them away.
    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(PosizioneIstruzioni);
    Picture2->setAutoFillBackground(true);
    QPalette bordo = Picture2->palette();
    bordo.setColor(QPalette::Window, QColor(0x3a, 0x2e, 0x39));
    Picture2->setPalette(bordo);
    Label1 = new QLabel(Picture2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setAutoFillBackground(true);
    Label1->setGeometry(2, 2, PosizioneIstruzioni.width() - 4, PosizioneIstruzioni.height() - 4);
    Label1->setText(QString::fromUtf8("Trova le differenze tra le due tazze"));
    Label1->setMouseTracking(true);
    Label1->installEventFilter(this);
}

FormEs8::~FormEs8() = default;

void FormEs8::Form_Load()
{
    FormEsercizio::Form_Load();
    // Screen readers say what each picture stands for; the language file names them.
    for (SvgPicture *img : std::as_const(Image1))
        img->setAccessibleName(img->toolTip());
}

void FormEs8::attiva()
{
    const Profilo &p = m_state.profilo;
    posizionaBarra();
    QPalette barra = Picture1->palette();
    barra.setColor(QPalette::Window, palette().color(QPalette::Window));
    Picture1->setPalette(barra);
    for (QWidget *s : std::as_const(Shape1)) {
        static_cast<SelectionFrame *>(s)->setColore(coloreSelezione());
        static_cast<SelectionFrame *>(s)->setSpessore(m_state.accesso.frameThickness);
        s->hide();
    }
    for (ColorButton *b : std::as_const(Command1))
        b->setSfondo(coloreBottoni());

    const QString istruzione = MLSGetString(m_state, QStringLiteral("0070"));
    if (!istruzione.isEmpty())
        Label1->setText(p.TipoCarattere == QLatin1String("maiuscolo") ? istruzione.toUpper()
                                                                      : istruzione);
    stileTesto(Label1);
    adattaTesto(Label1);

    // Pictures and buttons show they can be clicked, unless the profile keeps the plain
    // pointer or the switches do the choosing.
    const QCursor cursore((p.CursoreSistema || p.ModoInput != 0) ? Qt::ArrowCursor
                                                                 : Qt::PointingHandCursor);
    for (ColorButton *b : std::as_const(Command1))
        b->setCursor(cursore);
    for (SvgPicture *img : std::as_const(Image1))
        img->setCursor(cursore);
    Label1->setCursor(cursore);

    ApriFileVorbe();
    GeneraEsercizio();
}

void FormEs8::posizionaBarra()
{
    // The status bar keeps its height whatever the window's size, so the bar is kept just
    // above it rather than scaled with the rest.
    Picture1->move(Picture1->x(), StatusBar1->y() - Picture1->height() - StaccoBarra);
}

void FormEs8::resizeEvent(QResizeEvent *event)
{
    FormEsercizio::resizeEvent(event);
    if (Picture1)
        posizionaBarra();
    if (Label1)
        adattaTesto(Label1);
}

void FormEs8::ApriFileVorbe()
{
    const QString path =
        m_state.paths.toHost(m_state.paths.programFolder() + QStringLiteral("\\swf\\vorbe1.swf"));
    ShockwaveFlash1->setMovie(path);
    ShockwaveFlash2->setMovie(path);
}

void FormEs8::GeneraEsercizio()
{
    m_flow.preparing();
    if (m_state.profilo.PassaggioLivelli)
        CambiaLivello();
    ImpostaColori();
    m_flow.ready();
    Command1[0]->setEnabled(m_flow.waitingForNext());
    sopra(m_sopra);
    if (m_state.profilo.ModoInput > 0) {
        // The highlight leaves the new-pair button for the first picture, free to move again.
        m_scansione.parcheggia(0);
        m_scansione.riprendi();
        ColoraSelezionato();
    }
    leggiFrase();
}

const QWidget *FormEs8::widgetBersaglio(int b) const
{
    if (b == PostoNuovaCoppia)
        return Command1[0];
    return b >= 0 && b < Image1.size() ? Image1[b] : nullptr;
}

QString FormEs8::fraseDaLeggere() const
{
    return MLSGetString(m_state, QStringLiteral("0070"));
}

void FormEs8::ImpostaColori()
{
    m_logica.Livello = m_flow.level();
    m_logica.ImpostaColori();
    ColoraPrimaTazza();
    ColoraSecondaTazza();
}

void FormEs8::ColoraPrimaTazza()
{
    // A movie that refuses a call keeps the rest of its picture; nothing to tell the pupil.
    Tazza::mostra(*ShockwaveFlash1, m_state, m_logica.attributi[LogicaEs8::Modello]);
}

void FormEs8::ColoraSecondaTazza()
{
    Tazza::mostra(*ShockwaveFlash2, m_state, m_logica.attributi[LogicaEs8::Copia]);
}

void FormEs8::ColoraSelezionato()
{
    const int s = Selezionato();
    incornicia(s >= 0 && s < Caratteristiche ? s : -1);
}

void FormEs8::incornicia(int index)
{
    for (int i = 0; i < Caratteristiche; ++i)
        Shape1[i]->setVisible(i == index);
}

void FormEs8::giudica(int caratteristica)
{
    if (!m_flow.answering())
        return;
    if (!m_logica.Scegli(caratteristica)) {
        contaSbagliata();
        return;
    }
    ColoraSecondaTazza();
    contaGiusta(false);
    if (m_logica.Finita()) {
        m_flow.over();
        Command1[0]->setEnabled(true);
        if (m_state.profilo.ModoInput != 0)
            m_scansione.parcheggia(PostoNuovaCoppia);
    }
    SuonoSi(m_state);
}

void FormEs8::Image1_Click(int index)
{
    // Pictures answer the mouse only while a pair is being compared.
    if (m_state.profilo.ModoInput != 0 || !m_flow.answering())
        return;
    if (index < 0 || index >= Caratteristiche)
        return;
    giudica(index + 1);
}

void FormEs8::Command1_Click(int index)
{
    if (index == 0) {
        if (m_flow.waitingForNext())
            GeneraEsercizio();
    } else if (index == 1) {
        Picture2->raise();
        Picture2->show();
    }
}

void FormEs8::Label1_Click()
{
    Picture2->hide();
}

void FormEs8::selectTarget(int bersaglio)
{
    if (bersaglio == PostoNuovaCoppia) {
        if (!m_flow.waitingForNext())
            return;
        Command1[0]->setSfondo(coloreBottoni());
        GeneraEsercizio();
    } else if (bersaglio >= 0 && bersaglio < Caratteristiche) {
        giudica(bersaglio + 1);
    }
}

void FormEs8::paintTarget(int bersaglio, Colore colore)
{
    if (bersaglio >= 0 && bersaglio < Caratteristiche)
        Shape1[bersaglio]->setVisible(colore == Colore::Selezione);
    else if (bersaglio == PostoNuovaCoppia)
        evidenzia(Command1[0], colore == Colore::Selezione);
}

bool FormEs8::targetUsable(int bersaglio) const
{
    if (bersaglio == PostoNuovaCoppia)
        return m_flow.waitingForNext();
    return bersaglio >= 0 && bersaglio < Caratteristiche;
}

void FormEs8::sopra(int index)
{
    if (m_state.profilo.ModoInput != 0)
        return;
    m_sopra = index;
    // A dead "new pair" button takes no hover colour, and loses it once the new pair is drawn.
    for (int i = 0; i < Command1.size(); ++i) {
        const bool vivo = i != 0 || m_flow.waitingForNext();
        Command1[i]->setSfondo(i == index && vivo ? coloreSelezione() : coloreBottoni());
    }
}

bool FormEs8::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type t = event->type();
    // The frames follow the mouse only in mouse mode: with the switches they show the scanned
    // picture, which a passing mouse must not hide.
    const bool mouse = m_state.profilo.ModoInput == 0;
    if (t == QEvent::Enter || t == QEvent::MouseMove) {
        if (const int i = int(Image1.indexOf(qobject_cast<SvgPicture *>(watched))); i >= 0) {
            if (mouse)
                incornicia(i);
            sopra(-1);
        } else if (const int b = int(Command1.indexOf(qobject_cast<ColorButton *>(watched)));
                   b >= 0) {
            sopra(b);
        } else if (watched == Label1) {
            sopra(-1);
        } else if (watched == Picture1 && t == QEvent::MouseMove) {
            // Moves that a picture did not take arrive here as well.
            const auto *me = static_cast<QMouseEvent *>(event);
            QWidget *under = Picture1->childAt(me->position().toPoint());
            if (mouse && !Image1.contains(qobject_cast<SvgPicture *>(under)))
                incornicia(-1);
            if (!Command1.contains(qobject_cast<ColorButton *>(under)))
                sopra(-1);
        }
    } else if (t == QEvent::Leave && mouse) {
        if (const int i = int(Image1.indexOf(qobject_cast<SvgPicture *>(watched))); i >= 0)
            Shape1[i]->hide();
        else if (m_sopra >= 0 && watched == Command1[m_sopra])
            sopra(-1);
    } else if (t == QEvent::MouseButtonRelease && watched == Label1) {
        const auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton)
            Label1_Click();
    }
    return FormEsercizio::eventFilter(watched, event);
}

void FormEs8::mouseMoveEvent(QMouseEvent *event)
{
    QWidget *under = childAt(event->position().toPoint());
    if (!Command1.contains(qobject_cast<ColorButton *>(under)))
        sopra(-1);
    FormEsercizio::mouseMoveEvent(event);
}
