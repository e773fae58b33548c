#include "exercises/FormDueRisposte.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "core/FeedbackSounds.h"
#include "core/RandomSource.h"
#include "core/WindowRegistry.h"
#include "exercises/Frase.h"
#include "lang/modLanguageSupport.h"
#include "platform/Filmato.h"
#include "scanning/ScanBox.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>

namespace {

// Design layout, in pixels of a 640 × 480 window; the menu bar takes the top, the status bar
// the bottom 33 (500 twips).
constexpr QSize Disegno(640, 480);
const QRect PosizioneFrase(20, 34, 600, 70);
const QRect PosizioneBottoni[3] = {{30, 372, 170, 56}, {440, 372, 170, 56}, {270, 364, 100, 72}};

QRect posizioneFilmato(int i, int n)
{
    if (n == 1)
        return {160, 112, 320, 244};
    return {20 + i * 310, 112, 290, 244};
}

} // namespace

FormDueRisposte::FormDueRisposte(AppState &state, const QString &name, const Regole &regole)
    : FormEsercizio(state, name, Disegno, regole.flusso), m_regole(regole)
{
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setAutoFillBackground(true);
    Label1->setGeometry(PosizioneFrase);
    Label1->setMouseTracking(true);
    Label1->installEventFilter(this);

    for (int i = 0; i < m_regole.filmati; ++i) {
        auto *f = new Filmato(this);
        f->setObjectName(QStringLiteral("ShockwaveFlash%1").arg(i + 1));
        f->setClipNames(&state.NomiClip);
        f->setGeometry(posizioneFilmato(i, m_regole.filmati));
        ShockwaveFlash.append(f);
    }

    for (int i = 0; i < 3; ++i) {
        auto *b = new ColorButton(this);
        b->setObjectName(QStringLiteral("Command1"));
        ControlText::setIndex(b, i);
        b->setGeometry(PosizioneBottoni[i]);
        b->setMouseTracking(true);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1.append(b);
    }
    Command1[2]->setText(QStringLiteral("Avanti"));
    Command1[2]->setFigura(state.paths.toHost(state.paths.programFolder() + QStringLiteral("\\immagini\\avanti.svg")));
}

FormDueRisposte::~FormDueRisposte() = default;

void FormDueRisposte::attiva()
{
    const Profilo &p = m_state.profilo;
    attivazioneBottoni();
    const QCursor freccia(Qt::ArrowCursor);
    if (p.CursoreSistema || p.ModoInput != 0)
        for (ColorButton *b : std::as_const(Command1))
            b->setCursor(freccia);
    stileTesto(Label1);
    adattaFontBottoni();
    for (ColorButton *b : std::as_const(Command1)) {
        b->setSfondo(coloreBottoni());
        b->setColoreTesto(ColoreDaCodice(p.ColoreFont));
    }
    if (p.ModoInput != 0) {
        m_scansione.parcheggia(0);
        m_scansione.riprendi();
    }
    CicloColori = 0;
    ApriFileVorbe();
    GeneraEsercizio();
}

void FormDueRisposte::adattaFontBottoni()
{
    // Captions fill about a third of the button's height, whatever the window's size.
    for (ColorButton *b : std::as_const(Command1)) {
        QFont f = b->font();
        f.setFamily(m_state.profilo.NomeFont);
        f.setPixelSize(std::max(10, b->height() * 2 / 5));
        b->setFont(f);
    }
}

void FormDueRisposte::resizeEvent(QResizeEvent *event)
{
    FormEsercizio::resizeEvent(event);
    if (!Command1.isEmpty())
        adattaFontBottoni();
    if (Label1)
        adattaTesto(Label1);
}

void FormDueRisposte::ApriFileVorbe()
{
    const QString path = m_state.paths.toHost(m_state.paths.programFolder() + m_regole.filmato);
    for (Filmato *f : std::as_const(ShockwaveFlash)) {
        f->setMovie(path);
        f->GotoFrame(0);
    }
}

void FormDueRisposte::ricaricaFilmato()
{
    if (!RicaricaFilmato)
        return;
    ApriFileVorbe();
    // A sentence that goes on with the same picture must still see it: the reload wiped its
    // colours and decorations.
    if (CicloColori != 0)
        ridisegna();
}

QString FormDueRisposte::fraseMostrata(const QString &frase) const
{
    return FraseFinita(frase, m_state.profilo.TipoCarattere, m_regole.puntoFinale);
}

void FormDueRisposte::GeneraEsercizio()
{
    m_flow.preparing();
    if (m_state.profilo.PassaggioLivelli)
        CambiaLivello();
    if (CicloColori == 0)
        ImpostaColori();
    CicloColori = (CicloColori + 1) % std::max(1, m_regole.ciclo);
    ScriviFrase();
    Frase = fraseMostrata(Frase);
    Label1->setText(Frase);
    adattaTesto(Label1);
    m_flow.ready();
    mostraFase();
    leggiFrase();
}

const QWidget *FormDueRisposte::widgetBersaglio(int b) const
{
    return b >= 0 && b < Command1.size() ? Command1[b] : nullptr;
}

void FormDueRisposte::mostraFase()
{
    Command1[0]->setEnabled(m_flow.answering());
    Command1[1]->setEnabled(m_flow.answering());
    Command1[2]->setEnabled(m_flow.waitingForNext());
    // A button that has just gone dead (the "next" just clicked) must not keep the hover colour.
    sopra(m_sopra);
}

void FormDueRisposte::MostraPremio()
{
    CicloColori = 0;
    Label1->clear();
    const QString folder = m_state.paths.programFolder() + QStringLiteral("\\animazioni\\");
    // Our animations are SVG documents standing for the numbered movies.
    const int n = int(QDir(m_state.paths.toHost(folder))
                          .entryList({QStringLiteral("*.swf"), QStringLiteral("*.svg")},
                                     QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                          .size());
    const int k = (m_state.random ? m_state.random->below(n) : 0) + 1;
    ShockwaveFlash[0]->setMovie(m_state.paths.toHost(folder + QString::number(k) + QStringLiteral(".swf")));
    RicaricaFilmato = true;
}

void FormDueRisposte::giusta()
{
    if (contaGiusta(true))
        MostraPremio();
    SuonoSi(m_state);
    mostraFase();
}

void FormDueRisposte::rispostaEsattaMouse(int)
{
    giusta();
}

void FormDueRisposte::Command1_Click(int index)
{
    if (m_state.profilo.ModoInput != 0 || index < 0 || index > 2)
        return;
    if (index == 2) {
        if (!m_flow.waitingForNext())
            return;
        ricaricaFilmato();
        GeneraEsercizio();
    } else if (!m_flow.answering()) {
        return;
    } else if (index == Soluzione) {
        rispostaEsattaMouse(index);
    } else {
        contaSbagliata();
    }
}

void FormDueRisposte::selectTarget(int bersaglio)
{
    if (bersaglio == 2 && m_flow.waitingForNext()) {
        Command1[2]->setSfondo(coloreBottoni());
        m_scansione.parcheggia(0);
        m_scansione.riprendi();
        ricaricaFilmato();
        GeneraEsercizio();
    } else if (!m_flow.answering() || bersaglio < 0 || bersaglio > 1) {
        return;
    } else if (bersaglio == Soluzione) {
        giusta();
        m_scansione.parcheggia(2);
    } else {
        contaSbagliata();
    }
}

void FormDueRisposte::paintTarget(int bersaglio, Colore colore)
{
    if (bersaglio < 0 || bersaglio >= Command1.size())
        return;
    evidenzia(Command1[bersaglio], colore == Colore::Selezione);
}

bool FormDueRisposte::targetUsable(int bersaglio) const
{
    if (bersaglio == 2)
        return m_flow.waitingForNext();
    return (bersaglio == 0 || bersaglio == 1) && m_flow.answering();
}

void FormDueRisposte::sopra(int index)
{
    if (m_state.profilo.ModoInput != 0)
        return;
    m_sopra = index;
    // Only a button that the phase makes live takes the hover colour: on a dead one it would read
    // as an invitation to press.
    for (int i = 0; i < Command1.size(); ++i)
        Command1[i]->setSfondo(i == index && targetUsable(i) ? coloreSelezione() : coloreBottoni());
}

bool FormDueRisposte::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        if (watched == Label1)
            sopra(-1);
        else
            for (int i = 0; i < Command1.size(); ++i)
                if (watched == Command1[i])
                    sopra(i);
    } else if (event->type() == QEvent::Leave && m_sopra >= 0 && watched == Command1[m_sopra]) {
        // The pointer may leave over a picture or out of the window, which report no moves here.
        sopra(-1);
    }
    return FormEsercizio::eventFilter(watched, event);
}

void FormDueRisposte::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over a button that the button did not take arrive here too.
    QWidget *under = childAt(event->position().toPoint());
    if (!Command1.contains(qobject_cast<ColorButton *>(under)))
        sopra(-1);
    FormEsercizio::mouseMoveEvent(event);
}
