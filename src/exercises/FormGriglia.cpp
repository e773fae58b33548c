#include "exercises/FormGriglia.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "core/FeedbackSounds.h"
#include "core/SelectionFrame.h"
#include "exercises/TestiFrase.h"
#include "lang/modLanguageSupport.h"
#include "platform/Filmato.h"
#include "scanning/ScanBox.h"

#include <QTextDocument>
#include <cmath>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

// Design layout on 640 × 480: the instruction on top, the grid on the left, the list of the
// model's features and the new-exercise button on the right.
const QRect Griglia(10, 72, 390, 366);
const int Colonne[5] = {2, 2, 3, 3, 4};
const int Righe[5] = {1, 2, 2, 3, 3};
constexpr int Bordo = 4;

} // namespace

FormGriglia::FormGriglia(AppState &state, const QString &name, LogicaEs6::Variante variante)
    : FormEsercizio(state, name, {640, 480}, ExerciseRules::Griglie), m_logica(*state.random, variante),
      m_variante(variante)
{
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(20, 28, 600, 40);
    Label1->setMouseTracking(true);
    QFont lf = Label1->font();
    lf.setPointSize(14);
    Label1->setFont(lf);

    // Invisible slots that the cups take at each level; being controls, they scale with the
    // window like everything else.
    for (int l = 0; l < 5; ++l) {
        QList<QWidget *> frames;
        const int n = LogicaEs6::postiPerLivello(l + 1);
        const int w = Griglia.width() / Colonne[l];
        const int h = Griglia.height() / Righe[l];
        const int lato = std::min(w, h) - 8;
        for (int i = 0; i < n; ++i) {
            auto *f = new QWidget(this);
            f->setObjectName(QStringLiteral("Frame%1").arg(l + 1));
            ControlText::setIndex(f, i);
            const int c = i % Colonne[l];
            const int r = i / Colonne[l];
            f->setGeometry(Griglia.x() + c * w + (w - lato) / 2, Griglia.y() + r * h + (h - lato) / 2, lato, lato);
            f->hide();
            frames.append(f);
        }
        slot.append(frames);
    }

    for (int i = 0; i < Posti; ++i) {
        auto *f = new Filmato(this);
        f->setObjectName(QStringLiteral("ShockwaveFlash1"));
        ControlText::setIndex(f, i);
        f->setClipNames(&state.NomiClip);
        f->setGeometry(slot[4][i]->geometry());
        f->hide();
        connect(f, &Filmato::FSCommand, this, [this, i] {
            if (m_state.profilo.ModoInput == 0)
                sceltaTazza(i, false);
        });
        ShockwaveFlash1.append(f);
    }

    auto *cornice = new SelectionFrame(this, Bordo, SelectionFrame::Corners::Square);
    cornice->setObjectName(QStringLiteral("Shape1"));
    Shape1 = cornice;
    Shape1->hide();
    CorniceModello = new SelectionFrame(this, Bordo, SelectionFrame::Corners::Rounded);
    CorniceModello->setObjectName(QStringLiteral("CorniceModello"));
    CorniceModello->hide();

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setGeometry(410, 72, 220, 290);
    Text1->setMouseTracking(true);
    Text1->viewport()->setMouseTracking(true);
    Text1->installEventFilter(this);
    Text1->viewport()->installEventFilter(this);
    Text1->setFocusPolicy(Qt::NoFocus);
    // The list is made to fit instead: a scroll bar only the mouse can use helps no one here.
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Command1 = new ColorButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    ControlText::setIndex(Command1, 0);
    Command1->setText(QStringLiteral("Avanti"));
    Command1->setGeometry(470, 372, 100, 60);
    Command1->setFigura(state.paths.toHost(state.paths.programFolder() + QStringLiteral("\\immagini\\avanti.svg")));
    Command1->setMouseTracking(true);
    Command1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->hide();

    // Up and down step by rows in a grid: this window reads the step switch's keys itself.
    disconnect(PictureScansioneManuale, &ScanBox::rilasciato, &m_scansione, nullptr);
    connect(PictureScansioneManuale, &ScanBox::rilasciato, this, [this](int tasto) { tastoManuale(tasto); });
}

FormGriglia::~FormGriglia() = default;

FormEs6::FormEs6(AppState &state) : FormGriglia(state, QStringLiteral("FormEs6"), LogicaEs6::Variante::Intrusi)
{
    m_consegna = QString::fromUtf8("Elimina le tazze che non hanno tutte le caratteristiche");
    Label1->setText(m_consegna);
}

FormEs7::FormEs7(AppState &state) : FormGriglia(state, QStringLiteral("FormEs7"), LogicaEs6::Variante::TrovaLaTazza)
{
    m_consegna = QString::fromUtf8("Trova la tazza che ha tutte le caratteristiche");
    Label1->setText(m_consegna);
}

void FormGriglia::attiva()
{
    const Profilo &p = m_state.profilo;
    Picture1->hide();
    Shape1->hide();
    CorniceModello->hide();
    static_cast<SelectionFrame *>(Shape1)->setColore(coloreSelezione());
    static_cast<SelectionFrame *>(Shape1)->setSpessore(m_state.accesso.frameThickness);
    CorniceModello->setColore(coloreModello(coloreSelezione()));
    stileTesto(Text1);
    Command1->setSfondo(coloreBottoni());
    if (p.CursoreSistema || p.ModoInput != 0)
        Command1->setCursor(Qt::ArrowCursor);
    GeneraEsercizio();
}

bool FormGriglia::finito() const
{
    return m_flow.waitingForNext();
}

void FormGriglia::mostraTazze()
{
    for (int i = 0; i < NumeroPosti; ++i)
        ShockwaveFlash1[i]->setVisible(!m_logica.tolta(i));
    Command1->setEnabled(m_flow.waitingForNext());
    if (!m_flow.waitingForNext())
        colora(false);
}

void FormGriglia::GeneraEsercizio()
{
    // Nothing here lets events through, so the window is painted once, when the cups are
    // ready. Turning its updates off meanwhile could drop the exposure of a closing menu and
    // leave the old cups on screen.
    m_flow.preparing();
    Shape1->hide();
    CorniceModello->hide();
    if (m_state.profilo.PassaggioLivelli)
        CambiaLivello();
    ImpostaLivelli();
    if (m_state.profilo.ModoInput > 0)
        Command1->setSfondo(coloreBottoni());
    ImpostaColori();
    m_flow.ready();
    mostraTazze();
    if (m_state.profilo.ModoInput > 0) {
        m_scansione.continua();
        m_scansione.vaiA(0);
        SistemaRiquadro();
    }
    ScriviFrase();
}

void FormGriglia::ImpostaLivelli()
{
    for (Filmato *f : std::as_const(ShockwaveFlash1))
        f->hide();
    NumeroPosti = LogicaEs6::postiPerLivello(m_flow.level());
    disponiTazze();
    for (int i = 0; i < NumeroPosti; ++i) {
        // Screen readers and spoken scanning name a cup by its place.
        ShockwaveFlash1[i]->setAccessibleName(nomeBersaglio(i));
        ShockwaveFlash1[i]->show();
    }
    Shape1->raise();
    ApriFileVorbe();
}

void FormGriglia::disponiTazze()
{
    // The cups and their frames move with the level, so the proportional resizing, which
    // scales every control from where it first stood, cannot place them: they follow the
    // level's slots, which it does scale.
    const QList<QWidget *> &frames = slot[std::clamp(m_flow.level(), 1, 5) - 1];
    for (int i = 0; i < NumeroPosti; ++i)
        ShockwaveFlash1[i]->setGeometry(frames[i]->geometry());
    auto intorno = [this](int i) {
        i = std::clamp(i, 0, NumeroPosti - 1);
        return QRect(ShockwaveFlash1[i]->pos() - QPoint(Bordo, Bordo),
                     ShockwaveFlash1[i]->size() + QSize(2 * Bordo, 2 * Bordo));
    };
    Shape1->setGeometry(intorno(Selezionato()));
    CorniceModello->setGeometry(intorno(m_logica.TazzaGiusta));
}

void FormGriglia::ApriFileVorbe()
{
    const QString path = m_state.paths.toHost(m_state.paths.programFolder() + QStringLiteral("\\swf\\vorbe1.swf"));
    for (int i = 0; i < NumeroPosti; ++i) {
        ShockwaveFlash1[i]->setMovie(path);
        // The second frame shows a pointing hand over the cups when the program draws its own pointer.
        ShockwaveFlash1[i]->GotoFrame(m_state.profilo.CursoreSistema ? 0 : 1);
    }
}

void FormGriglia::ImpostaColori()
{
    m_logica.Livello = m_flow.level();
    m_logica.ImpostaColori([this](int i, int k) {
        return Tazza::invia(*ShockwaveFlash1[i], m_state, m_logica.tazze[i], k);
    });
}

void FormGriglia::ScriviFrase()
{
    m_logica.ScriviFrase(TestiFrase(m_state), m_state.profilo.TipoCarattere);
    QString testo = m_logica.Testo;
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1->setPlainText(testo.trimmed());
    adattaElenco();
    leggiFrase();
}

QString FormGriglia::nomeBersaglio(int b) const
{
    if (b == readAloudTarget())
        return FormEsercizio::nomeBersaglio(b);
    QString nome = MLSGetString(m_state, QStringLiteral("0216"));
    if (!nome.contains(QLatin1String("%1")))
        nome = QStringLiteral("tazza %1");
    return nome.arg(b + 1);
}

QString FormGriglia::fraseDaLeggere() const
{
    QString testo = m_logica.Testo;
    testo.replace(QStringLiteral("\r\n"), QStringLiteral(" ")); // each line ends a sentence
    return MLSCaption(m_state, objectName(), Label1->objectName(), m_consegna) +
           QStringLiteral(". ") + testo.trimmed();
}

void FormGriglia::adattaElenco()
{
    // The family and colours are the profile's since activation; only the size is fitted, and
    // always from the profile's size down.
    const int margine = int(std::ceil(Text1->document()->documentMargin()));
    const QRect area = Text1->viewport()->contentsRect().adjusted(margine, margine, -margine, -margine);
    QFont f = Text1->font();
    f.setPointSize(dimensioneCheEntra(f, area, Text1->toPlainText(), Qt::AlignLeft | Qt::AlignTop));
    Text1->setFont(f);
}

void FormGriglia::resizeEvent(QResizeEvent *event)
{
    FormEsercizio::resizeEvent(event);
    if (Text1)
        adattaElenco();
    if (!slot.isEmpty() && NumeroPosti > 0)
        disponiTazze();
}

void FormGriglia::SistemaRiquadro()
{
    const int i = Selezionato();
    if (i < 0 || i >= NumeroPosti)
        return;
    Shape1->move(ShockwaveFlash1[i]->pos() - QPoint(Bordo, Bordo));
    Shape1->show();
    Shape1->raise();
}

void FormGriglia::incorniciaModello()
{
    const int t = m_logica.TazzaGiusta;
    Shape1->hide();
    CorniceModello->setGeometry(QRect(ShockwaveFlash1[t]->pos() - QPoint(Bordo, Bordo),
                                      ShockwaveFlash1[t]->size() + QSize(2 * Bordo, 2 * Bordo)));
    CorniceModello->show();
    CorniceModello->raise();
}

QColor FormGriglia::coloreModello(const QColor &selezione)
{
    const QColor hsv = selezione.toHsv();
    // A grey or black selection has no opposite hue: a plain blue stands apart from it.
    if (hsv.hsvSaturation() < 60 || hsv.value() < 60)
        return QColor(0, 90, 255);
    return QColor::fromHsv((hsv.hsvHue() + 180) % 360, 255, 255);
}

void FormGriglia::fine(bool scansione)
{
    m_flow.over();
    mostraTazze();
    incorniciaModello();
    if (scansione)
        evidenzia(Command1, true);
}

void FormGriglia::sceltaTazza(int index, bool scansione)
{
    // A choice reaching a half-made exercise would be undone by its set-up, leaving a cup
    // removed that no longer counts. Once over, only the odd ones' model, left on view, is
    // still judged by the mouse (an error).
    const bool giudicaFinita = m_variante == LogicaEs6::Variante::Intrusi && !scansione;
    if (!m_flow.answering() && !(m_flow.phase() == ExerciseFlow::Phase::Over && giudicaFinita))
        return;
    switch (m_logica.scegli(index, !scansione)) {
    case LogicaEs6::Esito::Nessuno:
        return;
    case LogicaEs6::Esito::Sbagliata:
        contaSbagliata();
        break;
    case LogicaEs6::Esito::Giusta:
        contaGiusta(false);
        SuonoSi(m_state);
        break;
    case LogicaEs6::Esito::Finita:
        contaGiusta(false);
        if (scansione && m_variante == LogicaEs6::Variante::TrovaLaTazza)
            m_logica.togliAltre();
        fine(scansione);
        SuonoSi(m_state);
        return;
    }
    mostraTazze();
}

void FormGriglia::Command1_Click()
{
    if (m_state.profilo.ModoInput != 0 || !m_flow.waitingForNext())
        return;
    nuovoEsercizio();
}

void FormGriglia::nuovoEsercizio()
{
    // The clown shows while the new cups are made.
    const QString clown = m_state.paths.toHost(m_state.paths.programFolder() + QStringLiteral("\\swf\\pagliaccio0.swf"));
    for (int i = 0; i < NumeroPosti; ++i) {
        ShockwaveFlash1[i]->setMovie(clown);
        ShockwaveFlash1[i]->repaint(); // painting is held back while the cups are made
    }
    GeneraEsercizio();
}

void FormGriglia::selectTarget(int bersaglio)
{
    if (m_flow.phase() == ExerciseFlow::Phase::Preparing)
        return;
    if (m_flow.waitingForNext()) {
        Command1->setSfondo(coloreBottoni());
        nuovoEsercizio();
        return;
    }
    sceltaTazza(bersaglio, true);
}

bool FormGriglia::targetUsable(int bersaglio) const
{
    // The clock stops once the exercise is over; the step keys still move the frame.
    if (m_scansione.modo() == 2 && finito())
        return false;
    return bersaglio >= 0 && bersaglio < NumeroPosti && !m_logica.tolta(bersaglio);
}

void FormGriglia::paintTarget(int bersaglio, Colore colore)
{
    // Once the exercise is over the frame stays on the model while the clock ticks.
    if (m_scansione.modo() == 2 && finito())
        return;
    if (colore != Colore::Selezione)
        return;
    if (bersaglio == readAloudTarget())
        Shape1->hide();
    else if (bersaglio >= 0 && bersaglio < NumeroPosti)
        SistemaRiquadro();
}

void FormGriglia::tastoManuale(int tasto)
{
    const int modo = m_scansione.modo();
    if (modo == 3 && (tasto == Tasto::Su || tasto == Tasto::Giu)) {
        passoRiga(tasto == Tasto::Giu ? +1 : -1);
        return;
    }
    m_scansione.rilascioManuale(tasto);
}

void FormGriglia::passoRiga(int verso)
{
    const int passo = Colonne[std::clamp(m_flow.level(), 1, 5) - 1];
    if (m_flow.level() == 1)
        return;
    int c = Selezionato();
    // Hidden cups are stepped over by repeating the step; a path with no cup left on view
    // leaves the frame where it is.
    for (int i = 0; i < NumeroPosti; ++i) {
        c += verso * passo;
        if (c >= NumeroPosti)
            c -= NumeroPosti;
        if (c < 0)
            c += NumeroPosti;
        if (!m_logica.tolta(c)) {
            m_scansione.vaiA(c);
            return;
        }
    }
}

void FormGriglia::colora(bool selezione)
{
    if (m_state.profilo.ModoInput != 0)
        return;
    // "Next" takes the hover colour only while it can be pressed.
    evidenzia(Command1, selezione && m_flow.waitingForNext());
}

bool FormGriglia::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        if (watched == Command1)
            colora(true);
        else if (watched == Text1 || watched == Text1->viewport())
            colora(false);
    } else if (event->type() == QEvent::Leave && watched == Command1) {
        colora(false);
    }
    return FormEsercizio::eventFilter(watched, event);
}

void FormGriglia::mouseMoveEvent(QMouseEvent *event)
{
    if (childAt(event->position().toPoint()) != Command1)
        colora(false);
    FormEsercizio::mouseMoveEvent(event);
}
