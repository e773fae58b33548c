#include "exercises/FormEsercizio.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "core/FeedbackSounds.h"
#include "core/WindowRegistry.h"
#include "lang/modLanguageSupport.h"
#include "platform/Dialogs.h"
#include "print/Form1.h"
#include "print/PrintService.h"
#include "scanning/ScanBox.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QAbstractButton>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {
constexpr int AltezzaStato = 33; // 500 twips
}

FormEsercizio::FormEsercizio(AppState &state, const QString &name, QSize design,
                             const ExerciseFlow::Rules &rules)
    : FormBase(state, name, design), m_flow(rules, state.registro), m_scansione(*this, this)
{
    setWindowTitle(QStringLiteral("Vorbello"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xE8, 0xF4, 0xFF));
    setPalette(pal);

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
    m_scansione.collega(PictureScansioneManuale, PictureScansioneAutomatica);
    m_scansione.timer().setObjectName(QStringLiteral("Timer1"));
    PictureScansioneManuale->hide();
    PictureScansioneAutomatica->hide();

    PicMerlino = new QWidget(this);
    PicMerlino->setObjectName(QStringLiteral("PicMerlino"));
    PicMerlino->hide();

    barraMenu = new QMenuBar(this);
    barraMenu->setObjectName(QStringLiteral("barraMenu"));
    barraMenu->setNativeMenuBar(false);
    mnuLivelli = barraMenu->addMenu(QStringLiteral("Livelli"));
    mnuLivelli->setObjectName(QStringLiteral("mnuLivelli"));
    for (int i = 1; i <= m_flow.rules().levels; ++i) {
        QAction *a = mnuLivelli->addAction(QString::number(i));
        a->setObjectName(QStringLiteral("mnuLiv"));
        ControlText::setIndex(a, i);
        a->setCheckable(true);
        a->setChecked(i == 1);
        connect(a, &QAction::triggered, this, [this, i] { mnuLiv_Click(i); });
        mnuLiv.append(a);
    }
    mnuSt = barraMenu->addMenu(QStringLiteral("&Stampa"));
    mnuSt->setObjectName(QStringLiteral("mnuSt"));
    mnuStEserc = mnuSt->addAction(QStringLiteral("veloce"));
    mnuStEserc->setObjectName(QStringLiteral("mnuStEserc"));
    connect(mnuStEserc, &QAction::triggered, this, [this] { mnuStEserc_Click(); });
    mnuStPg = mnuSt->addMenu(QStringLiteral("con opzioni"));
    mnuStPg->setObjectName(QStringLiteral("mnuStPg"));
    mnuStOr = mnuStPg->addAction(QStringLiteral("foglio orizzontale"));
    mnuStOr->setObjectName(QStringLiteral("mnuStOr"));
    connect(mnuStOr, &QAction::triggered, this, [this] { mnuStOr_Click(); });
    mnuStVer = mnuStPg->addAction(QStringLiteral("foglio verticale"));
    mnuStVer->setObjectName(QStringLiteral("mnuStVer"));
    connect(mnuStVer, &QAction::triggered, this, [this] { mnuStVer_Click(); });
    mnuCol = mnuSt->addAction(QStringLiteral("figura da colorare"));
    mnuCol->setObjectName(name == QLatin1String("FormEs1") ? QStringLiteral("mnuCol") : QStringLiteral("mnuPag"));
    connect(mnuCol, &QAction::triggered, this, [this] { mnuCol_Click(); });
    mnuEsci = barraMenu->addAction(QStringLiteral("Esci"));
    mnuEsci->setObjectName(QStringLiteral("mnuEsci"));
    connect(mnuEsci, &QAction::triggered, this, [this] { mnuEsci_Click(); });

    readAloudButton = new ColorButton(StatusBar1);
    readAloudButton->setObjectName(QStringLiteral("readAloudButton"));
    readAloudButton->setFocusPolicy(Qt::NoFocus);
    readAloudButton->setFixedSize(AltezzaStato + 9, AltezzaStato - 5);
    readAloudButton->setFigura(state.paths.toHost(state.paths.programFolder() + QStringLiteral("\\immagini\\ascolta.svg")));
    readAloudButton->hide();
    StatusBar1->addPermanentWidget(readAloudButton);
    connect(readAloudButton, &QPushButton::clicked, this, [this] { leggiDiNuovo(); });

    m_flow.setRowSink([this](History::Run run) {
        run.exercise = objectName();
        m_state.registraCorsa(std::move(run));
    });
}

FormEsercizio::~FormEsercizio() = default;

void FormEsercizio::Form_Load()
{
    FormBase::Form_Load();
    // Picture buttons are named for screen readers by their tooltips, which the language file gives.
    for (ColorButton *b : findChildren<ColorButton *>())
        if (b->haFigura() && !b->toolTip().isEmpty())
            b->setAccessibleName(b->toolTip());
}

void FormEsercizio::dipingi(int bersaglio, Colore colore)
{
    if (bersaglio == readAloudTarget())
        evidenzia(readAloudButton, colore == Colore::Selezione);
    // Also for the read-aloud button: a window's own highlight (a frame round a cup) must go.
    paintTarget(bersaglio, colore);
}

void FormEsercizio::seleziona(int bersaglio)
{
    if (bersaglio != readAloudTarget())
        selectTarget(bersaglio);
    else if (utilizzabile(bersaglio))
        leggiDiNuovo();
}

bool FormEsercizio::utilizzabile(int bersaglio) const
{
    if (bersaglio == readAloudTarget())
        return m_state.accesso.readSentences && m_flow.answering();
    return targetUsable(bersaglio);
}

QString FormEsercizio::nomeBersaglio(int bersaglio) const
{
    const QWidget *w = bersaglio == readAloudTarget() ? readAloudButton : widgetBersaglio(bersaglio);
    if (!w)
        return QString();
    if (!w->accessibleName().isEmpty())
        return w->accessibleName();
    if (const auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text().remove(QLatin1Char('&')).simplified();
    return w->toolTip();
}

void FormEsercizio::annuncia(const QString &nome, bool scelta)
{
    m_state.annuncia(nome, scelta);
}

void FormEsercizio::leggiFrase()
{
    m_state.leggiFrase(fraseDaLeggere());
}

void FormEsercizio::leggiDiNuovo()
{
    if (m_state.voce)
        m_state.voce->say(fraseDaLeggere(), QLocale(), m_state.accesso.voiceRate, Speech::Kind::Text);
}

void FormEsercizio::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_R && !event->isAutoRepeat()) {
        leggiDiNuovo();
        return;
    }
    FormBase::keyPressEvent(event);
}

QColor FormEsercizio::coloreBottoni() const
{
    return ColoreDaCodice(m_state.profilo.ColoreBottoni);
}

void FormEsercizio::evidenzia(ColorButton *b, bool acceso) const
{
    b->setSfondo(acceso ? coloreSelezione() : coloreBottoni());
    b->setCornice(acceso ? m_state.accesso.frameThickness : 0);
}

QColor FormEsercizio::coloreSelezione() const
{
    return ColoreDaCodice(m_state.profilo.ColoreSelezione);
}

void FormEsercizio::stileTesto(QWidget *w) const
{
    const Profilo &p = m_state.profilo;
    QPalette lp = w->palette();
    lp.setColor(QPalette::Window, ColoreDaCodice(p.SfondoTesto));
    lp.setColor(QPalette::Base, ColoreDaCodice(p.SfondoTesto));
    lp.setColor(QPalette::WindowText, ColoreDaCodice(p.ColoreFont));
    lp.setColor(QPalette::Text, ColoreDaCodice(p.ColoreFont));
    w->setPalette(lp);
    QFont f = w->font();
    f.setFamily(p.NomeFont);
    f.setPointSize(std::clamp<int>(p.DimensioneFont, 6, 200));
    w->setFont(f);
}

int FormEsercizio::dimensioneCheEntra(const QFont &font, const QRect &area, const QString &text,
                                      int flags) const
{
    QFont f = font;
    int size = std::clamp<int>(m_state.profilo.DimensioneFont, 6, 200);
    for (; size > 6; --size) {
        f.setPointSize(size);
        const QRect r = QFontMetrics(f).boundingRect(area, flags | Qt::TextWordWrap, text);
        if (r.height() <= area.height() && r.width() <= area.width())
            break;
    }
    return size;
}

void FormEsercizio::adattaTesto(QLabel *l) const
{
    // The profile's size is the largest used: a long sentence on a small screen is made
    // smaller rather than cut off (cut at the top, capitals lose their accents).
    QFont f = l->font();
    f.setPointSize(dimensioneCheEntra(f, l->contentsRect(), l->text(), int(l->alignment())));
    l->setFont(f);
}

void FormEsercizio::Form_Activate()
{
    const Profilo &p = m_state.profilo;
    occupaSchermo();
    PicMerlino->hide();
    if (!p.ColoriVari) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, ColoreDaCodice(p.ColoreFisso));
        setPalette(pal);
    }
    m_flow.start();
    // The menu shows the level the window restarts at.
    for (QAction *a : std::as_const(mnuLiv))
        a->setChecked(ControlText::index(a) == 1);
    mnuLivelli->menuAction()->setVisible(!p.PassaggioLivelli);
    const QString ascolta = MLSGetString(m_state, QStringLiteral("0217"));
    readAloudButton->setToolTip(ascolta);
    readAloudButton->setAccessibleName(ascolta);
    readAloudButton->setSfondo(coloreBottoni());
    readAloudButton->setVisible(m_state.accesso.readSentences);
    m_scansione.impostaTempi(m_state.accesso.timing);
    m_scansione.prepara(p.ModoInput, p.VelocitaScansione);
    scriviPannelli();
    attiva();
}

void FormEsercizio::resizeEvent(QResizeEvent *event)
{
    FormBase::resizeEvent(event);
    if (barraMenu)
        barraMenu->setGeometry(0, 0, width(), barraMenu->sizeHint().height());
    if (StatusBar1)
        StatusBar1->setGeometry(0, height() - AltezzaStato, width(), AltezzaStato);
    if (m_state.profilo.ModoInput == 2 && m_state.windows) {
        if (QWidget *menu = m_state.windows->find(QStringLiteral("FormMenu")))
            m_state.windows->unload(menu);
    }
}

void FormEsercizio::scriviPannelli()
{
    pannelli[0]->setText(m_state.Frasi[0] + QString::number(m_flow.rightAnswers()));
    pannelli[1]->setText(m_state.Frasi[1] + QString::number(m_flow.wrongAnswers()));
    pannelli[2]->setText(m_state.Frasi[59] + QString::number(m_flow.level()));
}

bool FormEsercizio::contaGiusta(bool attendeAvanti)
{
    const bool premio = m_flow.right(attendeAvanti, scanCount());
    scriviPannelli();
    return premio;
}

void FormEsercizio::contaSbagliata()
{
    SuonoNo(m_state);
    m_flow.wrong(scanCount());
    scriviPannelli();
}

ExerciseFlow::ScanCount FormEsercizio::scanCount() const
{
    if (m_scansione.modo() == 0)
        return {};
    return {m_scansione.passiDallaScelta(), m_scansione.giriDallaScelta()};
}

void FormEsercizio::CambiaLivello()
{
    const bool cambiato = m_flow.applyThresholds();
    scriviPannelli();
    if (cambiato)
        livelloCambiato();
}

void FormEsercizio::mnuLiv_Click(int index)
{
    if (!m_flow.chooseLevel(index))
        return;
    for (QAction *a : std::as_const(mnuLiv))
        a->setChecked(ControlText::index(a) == index);
    scriviPannelli();
    // A highlight waiting on "next" would stay stuck there over the new exercise.
    if (m_scansione.parcheggiata()) {
        m_scansione.parcheggia(0);
        m_scansione.riprendi();
    }
    GeneraEsercizio();
    scriviPannelli();
}

void FormEsercizio::mnuStEserc_Click()
{
    const EsitoStampa esito = StampaVeloce(m_state, this, nomeLavoro());
    if (!esito.riuscito)
        m_state.dialogs->message(this, TestoErroreStampa(esito),
                                 QStringLiteral(" Errore in frmStampaFPB/Print_Form"),
                                 Dialogs::Icon::Critical);
}

void FormEsercizio::mnuStOr_Click()
{
    StampaFPB(m_state, this, this, 10, 10, 100, 100, 2, QString(), std::nullopt, nomeLavoro());
    ricomincia();
}

void FormEsercizio::mnuStVer_Click()
{
    StampaFPB(m_state, this, this, 10, 10, 100, 100, 1, QString(), std::nullopt, nomeLavoro());
    ricomincia();
}

void FormEsercizio::mnuCol_Click()
{
    Form1 figure(m_state, this);
    figure.Form_Load();
    figure.exec();
    ricomincia();
}

QString FormEsercizio::nomeLavoro() const
{
    for (int i = 0; i < 6; ++i)
        if (objectName() == QLatin1String(Esercizi::Finestre[i]))
            return NomeLavoroStampa(MLSGetString(
                m_state, QStringLiteral("%1").arg(Esercizi::PrimaChiaveNome + i, 4, 10, QLatin1Char('0'))));
    return NomeLavoroStampa(QString());
}

void FormEsercizio::ricomincia()
{
    if (m_uscita)
        return;
    // Back from a print or drawings window the exercise starts again from level 1, as at every
    // activation: the interrupted run leaves no row.
    Form_Activate();
}

void FormEsercizio::mnuEsci_Click()
{
    if (m_uscita)
        return;
    m_flow.leave();
    m_uscita = true;
    m_scansione.timer().stop();
    if (!mostraEChiudi(QStringLiteral("FormMenu")))
        m_uscita = false;
}

void FormEsercizio::closeEvent(QCloseEvent *event)
{
    // Only the exit menu logs the run and leads back to the menu; closed by its frame the
    // window just goes, and with it the program when it was the last one.
    m_scansione.timer().stop();
    FormBase::closeEvent(event);
    if (!m_uscita && m_state.windows)
        m_state.windows->unload(this);
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
