#include "exercises/FormEsercizio.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "core/ModuloColoriSuoni.h"
#include "core/RandomSource.h"
#include "core/WindowRegistry.h"
#include "exercises/Frase.h"
#include "lang/modLanguageSupport.h"
#include "menu/ScanBox.h"
#include "platform/Filmato.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
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
constexpr int AltezzaStato = 33;
const QRect PosizioneFrase(20, 34, 600, 70);
const QRect PosizioneBottoni[3] = {{30, 372, 170, 56}, {440, 372, 170, 56}, {270, 364, 100, 72}};

QRect posizioneFilmato(int i, int n)
{
    if (n == 1)
        return {160, 112, 320, 244};
    return {20 + i * 310, 112, 290, 244};
}

} // namespace

FormEsercizio::FormEsercizio(AppState &state, const QString &name, const Regole &regole)
    : FormBase(state, name, Disegno), m_regole(regole), m_scansione(*this, this)
{
    setWindowTitle(QStringLiteral("Vorbello"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xE8, 0xF4, 0xFF));
    setPalette(pal);

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

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto *l = new QLabel(StatusBar1);
        l->setTextFormat(Qt::PlainText);
        l->setMinimumWidth(120);
        StatusBar1->addWidget(l, 1);
        pannelli.append(l);
    }

    PictureScansioneManuale = new ScanBox(this);
    PictureScansioneManuale->setObjectName(QStringLiteral("PictureScansioneManuale"));
    PictureScansioneManuale->setGeometry(0, 0, 2, 2);
    PictureScansioneAutomatica = new ScanBox(this);
    PictureScansioneAutomatica->setObjectName(QStringLiteral("PictureScansioneAutomatica"));
    PictureScansioneAutomatica->setGeometry(4, 0, 2, 2);
    connect(PictureScansioneManuale, &ScanBox::rilasciato, &m_scansione, &Scansione::rilascioManuale);
    connect(PictureScansioneAutomatica, &ScanBox::premuto, &m_scansione, &Scansione::pressioneAutomatica);
    connect(PictureScansioneAutomatica, &ScanBox::rilasciato, &m_scansione, &Scansione::rilascioAutomatica);
    connect(PictureScansioneAutomatica, &ScanBox::fuocoPerso, &m_scansione, &Scansione::fuocoPerso);
    m_scansione.timer().setObjectName(QStringLiteral("Timer1"));
    mostraBox(Box::Manuale, false);
    mostraBox(Box::Automatica, false);

    PicMerlino = new QWidget(this);
    PicMerlino->setObjectName(QStringLiteral("PicMerlino"));
    PicMerlino->hide();

    barraMenu = new QMenuBar(this);
    barraMenu->setObjectName(QStringLiteral("barraMenu"));
    barraMenu->setNativeMenuBar(false);
    mnuLivelli = barraMenu->addMenu(QStringLiteral("Livelli"));
    mnuLivelli->setObjectName(QStringLiteral("mnuLivelli"));
    for (int i = 1; i <= m_regole.livelli; ++i) {
        QAction *a = mnuLivelli->addAction(QString::number(i));
        a->setObjectName(QStringLiteral("mnuLiv"));
        ControlText::setIndex(a, i);
        a->setCheckable(true);
        a->setChecked(i == 1);
        connect(a, &QAction::triggered, this, [this, i] { mnuLiv_Click(i); });
        mnuLiv.append(a);
    }
    mnuEsci = barraMenu->addAction(QStringLiteral("Esci"));
    mnuEsci->setObjectName(QStringLiteral("mnuEsci"));
    connect(mnuEsci, &QAction::triggered, this, [this] { mnuEsci_Click(); });
}

FormEsercizio::~FormEsercizio() = default;

void FormEsercizio::Form_Load()
{
    FormBase::Form_Load();
    // The picture button keeps its caption for screen readers; the language file names it.
    if (!Command1[2]->toolTip().isEmpty())
        Command1[2]->setAccessibleName(Command1[2]->toolTip());
}

QColor FormEsercizio::coloreBottoni() const
{
    return ColoreDaCodice(m_state.profilo.ColoreBottoni);
}

QColor FormEsercizio::coloreSelezione() const
{
    return ColoreDaCodice(m_state.profilo.ColoreSelezione);
}

void FormEsercizio::Form_Activate()
{
    const Profilo &p = m_state.profilo;
    occupaSchermo();
    attivazioneBottoni();
    PicMerlino->hide();
    const QCursor freccia(Qt::ArrowCursor);
    if (p.CursoreSistema)
        for (ColorButton *b : std::as_const(Command1))
            b->setCursor(freccia);
    if (!p.ColoriVari) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, ColoreDaCodice(p.ColoreFisso));
        setPalette(pal);
    }
    QPalette lp = Label1->palette();
    lp.setColor(QPalette::Window, ColoreDaCodice(p.SfondoTesto));
    lp.setColor(QPalette::WindowText, ColoreDaCodice(p.ColoreFont));
    Label1->setPalette(lp);
    QFont f = Label1->font();
    f.setFamily(p.NomeFont);
    f.setPointSize(std::clamp<int>(p.DimensioneFont, 6, 200));
    Label1->setFont(f);
    adattaFontBottoni();
    for (ColorButton *b : std::as_const(Command1)) {
        b->setSfondo(coloreBottoni());
        b->setColoreTesto(ColoreDaCodice(p.ColoreFont));
    }
    Livello = 1;
    // The menu shows the level the window restarts at.
    for (QAction *a : std::as_const(mnuLiv))
        a->setChecked(ControlText::index(a) == 1);
    mnuLivelli->menuAction()->setVisible(!p.PassaggioLivelli);
    if (p.ModoInput != 0) {
        for (ColorButton *b : std::as_const(Command1))
            b->setCursor(freccia);
        m_scansione.prepara(p.ModoInput, p.VelocitaScansione);
        m_scansione.parcheggia(0);
        m_scansione.riprendi();
    } else {
        m_scansione.prepara(0, p.VelocitaScansione);
    }
    m_state.RisposteEsatte = 0;
    m_state.RisposteErrate = 0;
    scriviPannelli();
    CicloColori = 0;
    ApriFileVorbe();
    GeneraEsercizio();
}

void FormEsercizio::adattaFontBottoni()
{
    // Captions fill about a third of the button's height, whatever the window's size.
    for (ColorButton *b : std::as_const(Command1)) {
        QFont f = b->font();
        f.setFamily(m_state.profilo.NomeFont);
        f.setPixelSize(std::max(10, b->height() * 2 / 5));
        b->setFont(f);
    }
}

void FormEsercizio::resizeEvent(QResizeEvent *event)
{
    FormBase::resizeEvent(event);
    if (barraMenu)
        barraMenu->setGeometry(0, 0, width(), barraMenu->sizeHint().height());
    if (StatusBar1)
        StatusBar1->setGeometry(0, height() - AltezzaStato, width(), AltezzaStato);
    if (!Command1.isEmpty())
        adattaFontBottoni();
    if (m_state.profilo.ModoInput == 2 && m_state.windows) {
        if (QWidget *menu = m_state.windows->find(QStringLiteral("FormMenu")))
            m_state.windows->unload(menu);
    }
}

void FormEsercizio::scriviPannelli()
{
    pannelli[0]->setText(m_state.Frasi[0] + QString::number(m_state.RisposteEsatte));
    pannelli[1]->setText(m_state.Frasi[1] + QString::number(m_state.RisposteErrate));
    pannelli[2]->setText(m_state.Frasi[59] + QString::number(Livello));
}

void FormEsercizio::ApriFileVorbe()
{
    const QString path = m_state.paths.toHost(m_state.paths.programFolder() + m_regole.filmato);
    for (Filmato *f : std::as_const(ShockwaveFlash)) {
        f->setMovie(path);
        f->GotoFrame(0);
    }
    QCoreApplication::processEvents();
}

QString FormEsercizio::fraseMostrata(const QString &frase) const
{
    return FraseFinita(frase, m_state.profilo.TipoCarattere, m_regole.puntoFinale);
}

void FormEsercizio::GeneraEsercizio()
{
    if (m_state.profilo.PassaggioLivelli)
        CambiaLivello();
    if (CicloColori == 0)
        ImpostaColori();
    Command1[0]->setEnabled(true);
    Command1[1]->setEnabled(true);
    Command1[2]->setEnabled(false);
    CicloColori = (CicloColori + 1) % std::max(1, m_regole.ciclo);
    ScriviFrase();
    Frase = fraseMostrata(Frase);
    Label1->setText(Frase);
}

void FormEsercizio::CambiaLivello()
{
    if (m_state.RisposteErrate >= SogliaErrori)
        UnLivelloInMeno();
    if (m_state.RisposteEsatte - m_state.RisposteErrate >= SogliaPromozione)
        UnLivelloInPiu();
    scriviPannelli();
}

void FormEsercizio::UnLivelloInMeno()
{
    if (Livello <= 1)
        return;
    ScriviRegistro();
    m_state.RisposteEsatte = 0;
    m_state.RisposteErrate = 0;
    --Livello;
    scriviPannelli();
    livelloCambiato();
}

void FormEsercizio::UnLivelloInPiu()
{
    if (Livello >= m_regole.livelli)
        return;
    ScriviRegistro();
    m_state.RisposteEsatte = 0;
    m_state.RisposteErrate = 0;
    ++Livello;
    scriviPannelli();
    livelloCambiato();
}

void FormEsercizio::mnuLiv_Click(int index)
{
    if (index < 1 || index > m_regole.livelli)
        return;
    ScriviRegistro();
    m_state.RisposteEsatte = 0;
    m_state.RisposteErrate = 0;
    Livello = index;
    for (QAction *a : std::as_const(mnuLiv))
        a->setChecked(ControlText::index(a) == index);
    scriviPannelli();
    GeneraEsercizio();
    scriviPannelli();
}

void FormEsercizio::ScriviRegistro()
{
    const int r = m_state.NumRegistro;
    // Rows past the end of the log are not kept; the exercise goes on all the same.
    if (r < 0 || r >= AppState::RigheRegistro)
        return;
    m_state.Registro[r][1] = QString::number(Livello);
    m_state.Registro[r][2] = QString::number(m_state.RisposteEsatte);
    m_state.Registro[r][3] = QString::number(m_state.RisposteErrate);
    ++m_state.NumRegistro;
}

void FormEsercizio::MostraPremio()
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

void FormEsercizio::giusta()
{
    ++m_state.RisposteEsatte;
    if (++ContaPremio >= PremioOgni) {
        ContaPremio = 0;
        MostraPremio();
    }
}

void FormEsercizio::sbagliata()
{
    SuonoNo(m_state);
    m_state.RisposteErrate = std::min(m_state.RisposteErrate + 1, 32767);
    scriviPannelli();
}

void FormEsercizio::rispostaEsattaMouse(int)
{
    giusta();
    scriviPannelli();
    SuonoSi(m_state);
    Command1[0]->setEnabled(false);
    Command1[1]->setEnabled(false);
    Command1[2]->setEnabled(true);
}

void FormEsercizio::Command1_Click(int index)
{
    if (m_state.profilo.ModoInput != 0 || index < 0 || index > 2)
        return;
    if (index == 2) {
        Command1[2]->setEnabled(false);
        if (RicaricaFilmato)
            ApriFileVorbe();
        GeneraEsercizio();
    } else if (index == Soluzione) {
        rispostaEsattaMouse(index);
    } else {
        sbagliata();
    }
}

void FormEsercizio::seleziona(int bersaglio)
{
    if (bersaglio == 2) {
        Command1[2]->setSfondo(coloreBottoni());
        m_scansione.parcheggia(0);
        m_scansione.riprendi();
        if (RicaricaFilmato)
            ApriFileVorbe();
        GeneraEsercizio();
    } else if (bersaglio == Soluzione) {
        giusta();
        scriviPannelli();
        SuonoSi(m_state);
        m_scansione.parcheggia(2);
    } else {
        sbagliata();
    }
}

void FormEsercizio::mnuEsci_Click()
{
    if (m_uscita)
        return;
    ScriviRegistro();
    m_uscita = true;
    m_scansione.timer().stop();
    if (!mostraEChiudi(QStringLiteral("FormMenu")))
        m_uscita = false;
}

void FormEsercizio::closeEvent(QCloseEvent *event)
{
    // Closing the window by its frame ends the exercise as the exit menu does, so the run is
    // logged and the pupil lands on the menu instead of leaving the program.
    if (!m_uscita && m_state.windows && m_state.windows->isDefined(QStringLiteral("FormMenu"))) {
        event->ignore();
        mnuEsci_Click();
        return;
    }
    FormBase::closeEvent(event);
}

void FormEsercizio::dipingi(int bersaglio, Colore colore)
{
    if (bersaglio < 0 || bersaglio >= Command1.size())
        return;
    Command1[bersaglio]->setSfondo(colore == Colore::Selezione ? coloreSelezione() : coloreBottoni());
}

bool FormEsercizio::utilizzabile(int bersaglio) const
{
    return bersaglio >= 0 && bersaglio < Command1.size() && Command1[bersaglio]->isEnabled();
}

void FormEsercizio::mostraBox(Box box, bool visibile)
{
    (box == Box::Manuale ? PictureScansioneManuale : PictureScansioneAutomatica)->setVisible(visibile);
}

void FormEsercizio::daiFuoco(Box box)
{
    ScanBox *b = box == Box::Manuale ? PictureScansioneManuale : PictureScansioneAutomatica;
    if (b->isVisible() && !b->hasFocus())
        b->setFocus(Qt::OtherFocusReason);
}

void FormEsercizio::sopra(int index)
{
    if (m_state.profilo.ModoInput != 0)
        return;
    for (int i = 0; i < Command1.size(); ++i)
        if (i != index && Command1[i]->sfondo() != coloreBottoni())
            Command1[i]->setSfondo(coloreBottoni());
    if (index >= 0 && Command1[index]->sfondo() != coloreSelezione())
        Command1[index]->setSfondo(coloreSelezione());
}

void FormEsercizio::azzeraColori()
{
    sopra(-1);
}

bool FormEsercizio::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        if (watched == Label1)
            azzeraColori();
        else
            for (int i = 0; i < Command1.size(); ++i)
                if (watched == Command1[i])
                    sopra(i);
    }
    return FormBase::eventFilter(watched, event);
}

void FormEsercizio::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over a button that the button did not take arrive here too.
    QWidget *under = childAt(event->position().toPoint());
    if (!Command1.contains(qobject_cast<ColorButton *>(under)))
        azzeraColori();
    FormBase::mouseMoveEvent(event);
}
