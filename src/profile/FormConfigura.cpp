#include "profile/FormConfigura.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "core/Modulo1.h"
#include "core/Profilo.h"
#include "core/WindowRegistry.h"
#include "lang/modLanguageSupport.h"
#include "platform/Dialogs.h"
#include "platform/Filmato.h"
#include "profile/CommDlgs.h"
#include "profile/Pupils.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>

#include <algorithm>
#include <iterator>
#include <limits>

namespace {

const char *const DidascalieSchede[FormConfigura::Schede] = {
    "Giocatori", "Colori vorbe",      "Scelte didattiche", "Font e colori",
    "Suoni",     "Modalità di input", "Sensori"};
const char *const NomiFrame[FormConfigura::Schede] = {"FrameUtente", "FrameVorbe", "FrameScelteDid",
                                                      "FrameFonts",  "FrameSuoni", "FramePunt",
                                                      "FrameSwitches"};

// The switch settings as sliders: each step of the slider is `passo` of the stored value, and
// the caption (the label's tag in the language file, %1 for the value) shows it in `unita`.
struct RegolaAccesso
{
    int AccessSettings::*campo;
    int SwitchTiming::*tempo;
    int minimo, massimo, passo;
    enum Unita { Secondi, Volte, Numero } unita;
    const char *didascalia; // when the language file has none
};
const RegolaAccesso RegoleAccesso[] = {
    {nullptr, &SwitchTiming::acceptanceMs, 0, 20, 100, RegolaAccesso::Secondi,
     "Il sensore vale se premuto almeno: %1 s (0: sempre)"},
    {nullptr, &SwitchTiming::repeatGuardMs, 0, 20, 100, RegolaAccesso::Secondi,
     "Ignora una pressione che segue il rilascio entro: %1 s"},
    {nullptr, &SwitchTiming::pauseAfterChoiceMs, 0, 50, 100, RegolaAccesso::Secondi,
     "Pausa della scansione dopo una scelta: %1 s"},
    {nullptr, &SwitchTiming::firstItemPercent, 10, 30, 10, RegolaAccesso::Volte,
     "La prima scelta resta evidenziata: %1 volte"},
    {nullptr, &SwitchTiming::scanLoops, 0, 10, 1, RegolaAccesso::Numero,
     "Giri senza scelta prima di fermare la scansione: %1 (0: mai)"},
    {&AccessSettings::frameThickness, nullptr, 0, 12, 1, RegolaAccesso::Numero,
     "Cornice intorno alla scelta evidenziata: %1 pixel (0: solo colore)"},
};

int &valoreAccesso(AccessSettings &a, const RegolaAccesso &r)
{
    return r.campo ? a.*r.campo : a.timing.*r.tempo;
}
const char *const DidascalieUtente[3] = {"Utente predefinito", "Modifica utente", "Nuovo utente"};
const char *const DidascalieColori[5] = {"Sfondo", "Colore 2", "Colore 3", "Colore 4", "Colore 5"};
const char *const DidascalieInput[4] = {"Mouse", "Scansione manuale - spazio e invio ",
                                        "Scansione automatica - spazio",
                                        "Tastiera - frecce e invio"};
const QString Predefinito = QStringLiteral("_predefinito");
const QString Corsivo = QStringLiteral("corsivo");

// Design layout of a 640 × 480 window; controls inside a frame are placed relative to it.
constexpr int AltoSchede = 62, AltoFrame = 92, LargFrame = 608, AltFrame = 376;
constexpr int ColonnePalette = 18, LatoCasella = 15, PassoCasella = 17;
constexpr int PaletteX = 292, PaletteY = 140;
constexpr int VelocitaMinima = 4, VelocitaMassima = 60;

QString didascaliaDati(const QString &text)
{
    // Names typed by the teacher are shown as written, never as keyboard accelerators.
    QString out = text;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

FormConfigura::FormConfigura(AppState &state)
    : FormBase(state, QStringLiteral("FormConfigura"), {640, 480})
{
    setWindowTitle(QStringLiteral("Configurazione"));
    QFont wf = font();
    wf.setPointSize(12);
    setFont(wf);

    auto nome = [](QObject *o, const char *name, int index = -1) {
        o->setObjectName(QString::fromLatin1(name));
        if (index >= 0)
            ControlText::setIndex(o, index);
    };
    auto etichetta = [&](QWidget *parent, const char *name, const QString &text, QRect r) {
        auto *l = new QLabel(text, parent);
        nome(l, name);
        l->setTextFormat(Qt::PlainText);
        l->setGeometry(r);
        return l;
    };
    auto opzione = [&](QWidget *parent, const char *name, int index, const QString &text, QRect r) {
        auto *b = new QRadioButton(text, parent);
        nome(b, name, index);
        b->setGeometry(r);
        return b;
    };
    auto casella = [&](QWidget *parent, const char *name, const QString &text, QRect r) {
        auto *c = new QCheckBox(text, parent);
        nome(c, name);
        c->setGeometry(r);
        return c;
    };
    auto pulsante = [&](QWidget *parent, const char *name, const QString &text, QRect r) {
        auto *b = new QPushButton(text, parent);
        nome(b, name);
        b->setGeometry(r);
        return b;
    };
    auto pulsanteColorato = [&](QWidget *parent, const char *name, const QString &text, QRect r) {
        // Painted like the exercise buttons, so the colour shows as the pupil will see it.
        auto *b = new ColorButton(parent);
        nome(b, name);
        b->setText(text);
        b->setGeometry(r);
        b->setFocusPolicy(Qt::StrongFocus);
        return b;
    };
    auto gruppo = [&](QWidget *parent, const char *name, const QString &title, QRect r) {
        auto *g = new QGroupBox(title, parent);
        nome(g, name);
        g->setGeometry(r);
        return g;
    };

    Label4 = etichetta(this, "Label4", QString(), {16, 30, 608, 28});
    QFont lf = Label4->font();
    lf.setPointSize(16);
    lf.setBold(true);
    Label4->setFont(lf);

    TabStrip1 = new QTabBar(this);
    nome(TabStrip1, "TabStrip1");
    TabStrip1->setGeometry(16, AltoSchede, LargFrame, AltoFrame - AltoSchede);
    TabStrip1->setExpanding(true);
    TabStrip1->setDrawBase(false);
    // All six tabs stay in view; on a very small screen their captions shorten instead.
    TabStrip1->setUsesScrollButtons(false);
    TabStrip1->setElideMode(Qt::ElideRight);
    for (const char *c : DidascalieSchede)
        TabStrip1->addTab(QString::fromUtf8(c));
    for (int i = 0; i < Schede; ++i) {
        auto *f = new QFrame(this);
        nome(f, NomiFrame[i]);
        f->setFrameShape(QFrame::StyledPanel);
        f->setGeometry(16, AltoFrame, LargFrame, AltFrame);
        f->hide();
        frames.append(f);
    }
    FrameUtente = frames[0];
    FrameVorbe = frames[1];
    FrameScelteDid = frames[2];
    FrameFonts = frames[3];
    FrameSuoni = frames[4];
    FramePunt = frames[5];
    FrameSwitches = frames[6];

    // Pupil.
    for (int i = 0; i < 3; ++i)
        OptionUtente.append(opzione(FrameUtente, "OptionUtente", i,
                                    QString::fromUtf8(DidascalieUtente[i]),
                                    {24, 24 + 44 * i, 260, 32}));
    ListModificaUtente = new QListWidget(FrameUtente);
    nome(ListModificaUtente, "ListModificaUtente");
    ListModificaUtente->setGeometry(300, 24, 284, 212);
    ListModificaUtente->setSelectionMode(QAbstractItemView::SingleSelection);
    ListModificaUtente->hide();
    TextNuovoUtente = new QLineEdit(FrameUtente);
    nome(TextNuovoUtente, "TextNuovoUtente");
    TextNuovoUtente->setGeometry(300, 112, 284, 32);
    TextNuovoUtente->setMaxLength(100);
    TextNuovoUtente->hide();
    CheckSalvaUtente =
        casella(FrameUtente, "CheckSalvaUtente",
                QString::fromUtf8("Tieni traccia dell'attività eseguita"), {24, 320, 560, 32});
    CheckStoria = casella(FrameUtente, "CheckStoria", QString(), {24, 180, 270, 32});
    CommandCancellaStoria = pulsante(FrameUtente, "CommandCancellaStoria", QString(), {24, 220, 250, 36});
    CommandRinominaUtente = pulsante(FrameUtente, "CommandRinominaUtente", QString(), {300, 244, 138, 36});
    CommandEliminaUtente = pulsante(FrameUtente, "CommandEliminaUtente", QString(), {446, 244, 138, 36});
    CommandRinominaUtente->hide();
    CommandEliminaUtente->hide();

    // Cup colours.
    ShockwaveFlash1 = new Filmato(FrameVorbe);
    nome(ShockwaveFlash1, "ShockwaveFlash1");
    ShockwaveFlash1->setGeometry(12, 8, 584, 116);
    for (int i = 0; i < 5; ++i) {
        auto *b = opzione(FrameVorbe, "Option2", i, QString::fromUtf8(DidascalieColori[i]),
                          {12, 134 + 36 * i, 262, 32});
        b->setAutoFillBackground(true);
        Option2.append(b);
    }
    Option2[0]->setChecked(true);
    for (int k = 0; k < Caselle; ++k) {
        auto *l = new QLabel(FrameVorbe);
        nome(l, "CasellaColorata", k);
        l->setGeometry(PaletteX + (k % ColonnePalette) * PassoCasella,
                       PaletteY + (k / ColonnePalette) * PassoCasella, LatoCasella, LatoCasella);
        l->setFrameShape(QFrame::Box);
        l->setAutoFillBackground(true);
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
        CasellaColorata.append(l);
    }
    Command4 = pulsante(FrameVorbe, "Command4", QStringLiteral("Configurazione predefinita"),
                        {12, 326, 262, 36});

    // Didactic choices.
    Check1 = casella(FrameScelteDid, "Check1", QStringLiteral("Attiva passaggio livelli"),
                     {24, 20, 560, 32});
    FrameScelte = gruppo(FrameScelteDid, "FrameScelte", QStringLiteral("Tipo di carattere"),
                         {24, 68, 250, 170});
    minuscolo =
        opzione(FrameScelte, "minuscolo", -1, QStringLiteral("minuscolo"), {16, 34, 220, 32});
    maiuscolo =
        opzione(FrameScelte, "maiuscolo", -1, QStringLiteral("MAIUSCOLO"), {16, 76, 220, 32});
    corsivo = opzione(FrameScelte, "corsivo", -1, QStringLiteral("corsivo"), {16, 118, 220, 32});
    // The cursive font draws small for its size: grown until its letters stand as tall as the
    // other choices' (at its own size it was about 5 pixels, unreadable).
    QFont cf = corsivo->font();
    cf.setFamily(QStringLiteral("Indis1"));
    const int altezza = QFontMetrics(minuscolo->font()).tightBoundingRect(minuscolo->text()).height();
    cf.setPixelSize(std::max(1, QFontInfo(minuscolo->font()).pixelSize()));
    while (cf.pixelSize() < corsivo->height() &&
           QFontMetrics(cf).tightBoundingRect(corsivo->text()).height() < altezza)
        cf.setPixelSize(cf.pixelSize() + 1);
    corsivo->setFont(cf);

    // Fonts and colours. Sample 0 lives here, sample 1 on the didactic tab.
    Frame5 = gruppo(FrameFonts, "Frame5", QString(), {24, 16, 270, 240});
    Command1 = pulsanteColorato(Frame5, "Command1", QStringLiteral("Pulsanti selezionati"),
                                {16, 24, 238, 34});
    CommandSceltaColoreBottoni = pulsanteColorato(Frame5, "CommandSceltaColoreBottoni",
                                                  QStringLiteral("Pulsanti"), {16, 66, 238, 34});
    CommandSceltaSfondoTesto = pulsante(Frame5, "CommandSceltaSfondoTesto",
                                        QStringLiteral("Sfondo testo"), {16, 108, 238, 34});
    CommandSceltaColoreFont = pulsante(Frame5, "CommandSceltaColoreFont",
                                       QStringLiteral("Colore font"), {16, 150, 238, 34});
    CommandSceltaFont =
        pulsante(Frame5, "CommandSceltaFont", QStringLiteral("Font"), {16, 192, 238, 34});
    Frame6 = gruppo(FrameFonts, "Frame6", QStringLiteral("Colore sfondo"), {314, 16, 270, 160});
    OptionColoreCasualeFisso.append(opzione(Frame6, "OptionColoreCasualeFisso", 0,
                                            QStringLiteral("Colori vari"), {16, 32, 238, 30}));
    OptionColoreCasualeFisso.append(opzione(Frame6, "OptionColoreCasualeFisso", 1,
                                            QStringLiteral("Colore fisso"), {16, 68, 238, 30}));
    CommandSceltaColori =
        pulsante(Frame6, "CommandSceltaColori", QStringLiteral("Colori"), {16, 110, 238, 34});
    for (int i = 0; i < 2; ++i) {
        auto *l = new QLabel(QStringLiteral("Esempio di font e colore del testo"),
                             i == 0 ? FrameFonts : FrameScelteDid);
        nome(l, "LabelFontSelezionato", i);
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        l->setGeometry(i == 0 ? QRect(24, 272, 560, 92) : QRect(296, 76, 288, 162));
        LabelFontSelezionato.append(l);
    }
    LabelPerColore = etichetta(FrameFonts, "LabelPerColore", QString(), {0, 0, 1, 1});
    LabelPerColore->hide();

    // Sounds.
    CheckSuoni =
        casella(FrameSuoni, "CheckSuoni", QStringLiteral("Attiva suoni"), {24, 24, 560, 32});
    CheckReadSentences = casella(FrameSuoni, "CheckReadSentences",
                                 QStringLiteral("Leggi le frasi ad alta voce (R per riascoltare)"),
                                 {24, 80, 560, 32});
    CheckSpeakScanning = casella(FrameSuoni, "CheckSpeakScanning",
                                 QStringLiteral("Leggi a voce bassa la scelta evidenziata"),
                                 {24, 120, 560, 32});
    LabelVoiceRate = etichetta(FrameSuoni, "LabelVoiceRate", QString(), {24, 168, 560, 22});
    SliderVoiceRate = new QSlider(Qt::Horizontal, FrameSuoni);
    nome(SliderVoiceRate, "SliderVoiceRate");
    SliderVoiceRate->setGeometry(24, 192, 400, 22);
    SliderVoiceRate->setRange(-10, 10);

    // Input mode.
    for (int i = 0; i < 4; ++i)
        Option4.append(opzione(FramePunt, "Option4", i, QString::fromUtf8(DidascalieInput[i]),
                               {24, 20 + 40 * i, 560, 32}));
    Label7 = etichetta(FramePunt, "Label7", QString(), {24, 190, 400, 28});
    HScroll3 = new QSlider(Qt::Horizontal, FramePunt);
    nome(HScroll3, "HScroll3");
    HScroll3->setGeometry(24, 222, 400, 28);
    HScroll3->setRange(VelocitaMinima, VelocitaMassima);
    HScroll3->setPageStep(4);
    HScroll3->setTickPosition(QSlider::TicksBelow);
    HScroll3->setTickInterval(4);
    CheckDisabilitaMousePersonalizzato =
        casella(FramePunt, "CheckDisabilitaMousePersonalizzato",
                QStringLiteral("Usa cursore di sistema"), {24, 262, 560, 32});
    Label1 = etichetta(FramePunt, "Label1",
                       QStringLiteral("La scansione utilizza il colore scelto per i "
                                      "'pulsanti selezionati'."),
                       {24, 310, 560, 52});
    Label1->setWordWrap(true);

    // Switches.
    for (int i = 0; i < int(std::size(RegoleAccesso)); ++i) {
        const RegolaAccesso &r = RegoleAccesso[i];
        QLabel *l = etichetta(FrameSwitches, "LabelSwitches", QString(), {24, 8 + 48 * i, 560, 22});
        ControlText::setIndex(l, i);
        auto *slider = new QSlider(Qt::Horizontal, FrameSwitches);
        nome(slider, "SliderSwitches", i);
        slider->setGeometry(24, 30 + 48 * i, 400, 22);
        slider->setRange(r.minimo, r.massimo);
        slider->setPageStep(std::max(1, (r.massimo - r.minimo) / 5));
        slider->setAccessibleName(QString::fromUtf8(r.didascalia).section(QLatin1Char(':'), 0, 0));
        LabelSwitches.append(l);
        SliderSwitches.append(slider);
    }
    CheckHoldToScan = casella(FrameSwitches, "CheckHoldToScan",
                              QStringLiteral("Scansione finché il sensore è premuto, scelta al rilascio"),
                              {24, 8 + 48 * int(std::size(RegoleAccesso)), 560, 32});

    barraMenu = new QMenuBar(this);
    nome(barraMenu, "barraMenu");
    barraMenu->setNativeMenuBar(false);
    mnuEsci = barraMenu->addAction(QStringLiteral("&Esci"));
    nome(mnuEsci, "mnuEsci");

    connect(mnuEsci, &QAction::triggered, this, [this] { mnuEsci_Click(); });
    connect(TabStrip1, &QTabBar::currentChanged, this, [this](int i) { TabStrip1_Click(i); });
    for (int i = 0; i < 3; ++i)
        connect(OptionUtente[i], &QRadioButton::clicked, this,
                [this, i] { OptionUtente_Click(i); });
    connect(ListModificaUtente, &QListWidget::itemSelectionChanged, this,
            [this] { ListModificaUtente_Click(); });
    connect(TextNuovoUtente, &QLineEdit::editingFinished, this, [this] { TextNuovoUtente_Conferma(); });
    connect(CheckSalvaUtente, &QCheckBox::toggled, this, [this](bool on) {
        m_state.profilo.TieniTraccia = on;
        mostraStoria(); // a history that follows the log follows it here too
    });
    connect(CheckStoria, &QCheckBox::toggled, this,
            [this](bool on) { m_state.accesso.keepHistory = on ? 1 : 0; });
    connect(CommandCancellaStoria, &QPushButton::clicked, this, [this] { CommandCancellaStoria_Click(); });
    connect(CommandRinominaUtente, &QPushButton::clicked, this, [this] { CommandRinominaUtente_Click(); });
    connect(CommandEliminaUtente, &QPushButton::clicked, this, [this] { CommandEliminaUtente_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Check1, &QCheckBox::toggled, this,
            [this](bool on) { m_state.profilo.PassaggioLivelli = on; });
    connect(minuscolo, &QRadioButton::clicked, this, [this] { minuscolo_Click(); });
    connect(maiuscolo, &QRadioButton::clicked, this, [this] { maiuscolo_Click(); });
    connect(corsivo, &QRadioButton::clicked, this, [this] { corsivo_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(CommandSceltaColoreBottoni, &QPushButton::clicked, this,
            [this] { CommandSceltaColoreBottoni_Click(); });
    connect(CommandSceltaSfondoTesto, &QPushButton::clicked, this,
            [this] { CommandSceltaSfondoTesto_Click(); });
    connect(CommandSceltaColoreFont, &QPushButton::clicked, this,
            [this] { CommandSceltaColoreFont_Click(); });
    connect(CommandSceltaFont, &QPushButton::clicked, this, [this] { CommandSceltaFont_Click(); });
    connect(CommandSceltaColori, &QPushButton::clicked, this,
            [this] { CommandSceltaColori_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(OptionColoreCasualeFisso[i], &QRadioButton::clicked, this,
                [this, i] { OptionColoreCasualeFisso_Click(i); });
    connect(CheckSuoni, &QCheckBox::toggled, this, [this](bool on) { m_state.profilo.Suoni = on; });
    for (int i = 0; i < 4; ++i)
        connect(Option4[i], &QRadioButton::clicked, this, [this, i] { Option4_Click(i); });
    connect(HScroll3, &QSlider::valueChanged, this, [this] { HScroll3_Change(); });
    connect(CheckDisabilitaMousePersonalizzato, &QCheckBox::toggled, this,
            [this](bool on) { m_state.profilo.CursoreSistema = on; });
    for (int i = 0; i < SliderSwitches.size(); ++i)
        connect(SliderSwitches[i], &QSlider::valueChanged, this, [this, i](int v) {
            valoreAccesso(m_state.accesso, RegoleAccesso[i]) = v * RegoleAccesso[i].passo;
            mostraAccesso();
        });
    connect(CheckHoldToScan, &QCheckBox::toggled, this,
            [this](bool on) { m_state.accesso.timing.holdToScan = on; });
    connect(CheckReadSentences, &QCheckBox::toggled, this,
            [this](bool on) { m_state.accesso.readSentences = on; });
    connect(CheckSpeakScanning, &QCheckBox::toggled, this,
            [this](bool on) { m_state.accesso.speakScanning = on; });
    connect(SliderVoiceRate, &QSlider::valueChanged, this, [this](int v) {
        m_state.accesso.voiceRate = v;
        mostraAccesso();
    });
}

void FormConfigura::mostraAccesso()
{
    for (int i = 0; i < SliderSwitches.size(); ++i) {
        const RegolaAccesso &r = RegoleAccesso[i];
        const int v = valoreAccesso(m_state.accesso, r);
        {
            const QSignalBlocker block(SliderSwitches[i]);
            SliderSwitches[i]->setValue(v / r.passo);
        }
        const QString numero = r.unita == RegolaAccesso::Secondi ? QLocale().toString(v / 1000.0, 'f', 1)
                               : r.unita == RegolaAccesso::Volte ? QLocale().toString(v / 100.0, 'f', 1)
                                                                 : QString::number(v);
        QString modello = ControlText::tag(LabelSwitches[i]);
        if (!modello.contains(QLatin1String("%1")))
            modello = QString::fromUtf8(r.didascalia);
        LabelSwitches[i]->setText(modello.replace(QLatin1String("%1"), numero));
    }
    const QSignalBlocker b1(CheckHoldToScan), b2(CheckReadSentences), b3(CheckSpeakScanning),
        b4(SliderVoiceRate);
    CheckHoldToScan->setChecked(m_state.accesso.timing.holdToScan);
    CheckReadSentences->setChecked(m_state.accesso.readSentences);
    CheckSpeakScanning->setChecked(m_state.accesso.speakScanning);
    SliderVoiceRate->setValue(m_state.accesso.voiceRate);
    QString velocita = ControlText::tag(LabelVoiceRate);
    if (!velocita.contains(QLatin1String("%1")))
        velocita = QString::fromUtf8("Velocità della voce: %1 (0: normale)");
    LabelVoiceRate->setText(velocita.replace(QLatin1String("%1"), QString::number(m_state.accesso.voiceRate)));
}

void FormConfigura::Form_Load()
{
    FormBase::Form_Load();
    // A language file without the tab captions would leave the tabs blank, and the tabs are
    // the only way to the pages.
    for (int i = 0; i < Schede; ++i) {
        if (TabStrip1->tabText(i).trimmed().isEmpty())
            TabStrip1->setTabText(i, QString::fromUtf8(DidascalieSchede[i]));
    }
}

void FormConfigura::Form_Activate()
{
    occupaSchermo();
    const int modo = m_state.profilo.ModoInput;
    if (modo >= 0 && modo < Option4.size())
        Option4[modo]->setChecked(true);
    Label4->setText(m_state.NomeUtente);
    NascondiFrame();
    ImpostaConfigurazioni();
    {
        const QSignalBlocker block(TabStrip1);
        TabStrip1->setCurrentIndex(0);
    }
    FrameUtente->show();
    FrameUtente->raise();
}

void FormConfigura::resizeEvent(QResizeEvent *event)
{
    FormBase::resizeEvent(event);
    if (barraMenu)
        barraMenu->setGeometry(0, 0, width(), barraMenu->sizeHint().height());
}

void FormConfigura::closeEvent(QCloseEvent *event)
{
    // Closing by the frame must not lose the changes: it leaves as the exit menu does.
    if (!m_uscita && m_state.windows && m_state.windows->isDefined(QStringLiteral("FormMenu"))) {
        event->ignore();
        mnuEsci_Click();
        return;
    }
    if (!m_uscita)
        SalvaProfilo(m_state);
    FormBase::closeEvent(event);
}

bool FormConfigura::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *l = qobject_cast<QLabel *>(watched);
        const auto *me = static_cast<QMouseEvent *>(event);
        if (l && me->button() == Qt::LeftButton && l->rect().contains(me->position().toPoint())) {
            const int k = int(CasellaColorata.indexOf(l));
            if (k >= 0) {
                CasellaColorata_Click(k);
                return true;
            }
        }
    }
    return FormBase::eventFilter(watched, event);
}

void FormConfigura::sfondo(QWidget *w, const QColor &colour)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    // Buttons fill their background with the button colour, other controls with the window's.
    pal.setColor(w->backgroundRole(), colour);
    w->setPalette(pal);
}

void FormConfigura::NascondiFrame()
{
    for (QFrame *f : std::as_const(frames))
        f->hide();
}

void FormConfigura::ImpostaConfigurazioni()
{
    Profilo &p = m_state.profilo;
    CheckSuoni->setChecked(p.Suoni);
    Check1->setChecked(p.PassaggioLivelli);
    CheckSalvaUtente->setChecked(p.TieniTraccia);
    CheckStoria->setText(MLSGetString(m_state, QStringLiteral("0220")));
    CommandCancellaStoria->setText(MLSGetString(m_state, QStringLiteral("0221")));
    CommandRinominaUtente->setText(testo("0242", "Rinomina…"));
    CommandEliminaUtente->setText(testo("0243", "Elimina…"));
    mostraStoria();

    const QColor fisso = ColoreDaCodice(p.ColoreFisso);
    sfondo(FrameVorbe, fisso);
    for (int i = 0; i < Caselle; ++i) {
        // "&H00BBGGRR&"; a palette not filled in leaves the box white.
        QString vb = m_state.ColoriVB[i];
        vb.remove(QStringLiteral("&H"), Qt::CaseInsensitive).remove(QLatin1Char('&'));
        bool ok = false;
        const uint code = vb.toUInt(&ok, 16);
        const QColor c = ok ? ColoreDaCodice(code) : QColor(Qt::white);
        sfondo(CasellaColorata[i], c);
        CasellaColorata[i]->setAccessibleName(m_state.ColoriHex[i]);
    }
    for (QRadioButton *b : std::as_const(Option2))
        sfondo(b, fisso);
    Command1->setSfondo(ColoreDaCodice(p.ColoreSelezione));
    CommandSceltaColoreBottoni->setSfondo(ColoreDaCodice(p.ColoreBottoni));

    if (p.ColoriVari) {
        OptionColoreCasualeFisso[0]->setChecked(true);
        sfondo(FrameFonts, ColoreDaCodice(0x8000000F));
    } else {
        sfondo(FrameFonts, fisso);
        OptionColoreCasualeFisso[1]->setChecked(true);
    }
    CommandSceltaColori->setEnabled(!p.ColoriVari);

    if (p.TipoCarattere == QLatin1String("minuscolo"))
        minuscolo->setChecked(true);
    else if (p.TipoCarattere == QLatin1String("maiuscolo"))
        maiuscolo->setChecked(true);
    else if (p.TipoCarattere == Corsivo)
        corsivo->setChecked(true);

    CheckSuoni->setChecked(p.Suoni);
    CheckDisabilitaMousePersonalizzato->setChecked(p.CursoreSistema);

    const bool grande = p.TipoCarattere == QLatin1String("maiuscolo");
    for (QLabel *l : std::as_const(LabelFontSelezionato)) {
        QFont f = l->font();
        f.setFamily(p.NomeFont);
        f.setPointSize(std::max<int>(1, p.DimensioneFont));
        l->setFont(f);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, ColoreDaCodice(p.ColoreFont));
        // The sample shows the text on the background the exercises give it.
        pal.setColor(QPalette::Window, ColoreDaCodice(p.SfondoTesto));
        l->setPalette(pal);
        l->setText(grande ? l->text().toUpper() : l->text().toLower());
    }

    mostraAccesso();

    // A newly loaded pupil may use another input mode than the one ticked.
    if (p.ModoInput >= 0 && p.ModoInput < Option4.size())
        Option4[p.ModoInput]->setChecked(true);
    switch (p.ModoInput) {
    case 0:
        HScroll3->hide();
        Label7->hide();
        CheckDisabilitaMousePersonalizzato->show();
        break;
    case 2:
        HScroll3->setValue(p.VelocitaScansione);
        Label7->setText(DidascaliaVelocita(HScroll3->value(), ControlText::tag(Label7)));
        HScroll3->show();
        Label7->show();
        CheckDisabilitaMousePersonalizzato->hide();
        break;
    default:
        HScroll3->hide();
        Label7->hide();
        CheckDisabilitaMousePersonalizzato->hide();
        break;
    }
}

QString FormConfigura::DidascaliaVelocita(int quarti, const QString &modello)
{
    const QString secondi = QLocale().toString(quarti / 4.0, 'f', 2);
    // The language file words the caption around the number ("%1"); without it, the Italian.
    if (modello.contains(QLatin1String("%1")))
        return QString(modello).replace(QLatin1String("%1"), secondi);
    return QString::fromUtf8("Velocità scansione: ") + secondi + QStringLiteral(" secondi");
}

void FormConfigura::mostraStoria()
{
    const QSignalBlocker block(CheckStoria);
    CheckStoria->setChecked(m_state.storiaAttiva());
}

void FormConfigura::CommandCancellaStoria_Click()
{
    const QString alunno = m_state.NomeUtente;
    QString domanda = MLSGetString(m_state, QStringLiteral("0222"));
    if (!domanda.contains(QLatin1String("%1")))
        domanda = QString::fromUtf8("Cancellare tutta la storia dei progressi di %1?");
    if (!m_state.dialogs->question(this, domanda.arg(alunno), QStringLiteral("Vorbello")))
        return;
    History *storia = m_state.storia();
    if (!storia)
        return; // already told why
    const bool fatto = storia->forget(m_state.pupilloStoria());
    QString testo = MLSGetString(m_state, QString::fromLatin1(fatto ? "0237" : "0238"));
    if (fatto)
        testo = testo.arg(alunno);
    m_state.dialogs->message(this, testo, QStringLiteral("Vorbello"),
                             fatto ? Dialogs::Icon::Information : Dialogs::Icon::Warning);
}

namespace {

// A name as a message quotes it: one far too long would run off the screen.
QString inBreve(const QString &nome)
{
    return nome.size() > 60 ? nome.left(57) + QStringLiteral("…") : nome;
}

} // namespace

QString FormConfigura::testo(const char *chiave, const char *predefinito) const
{
    const QString t = MLSGetString(m_state, QString::fromLatin1(chiave));
    const bool vuole = QByteArrayView(predefinito).contains("%1");
    return t.isEmpty() || (vuole && !t.contains(QLatin1String("%1"))) ? QString::fromUtf8(predefinito)
                                                                       : t;
}

void FormConfigura::riempiElencoUtenti()
{
    const QSignalBlocker block(ListModificaUtente);
    ListModificaUtente->clear();
    ListModificaUtente->addItems(Pupils(m_state).elenco(Pupils::Filtro::Configurazione));
    const auto scelti = ListModificaUtente->findItems(m_state.NomeUtente, Qt::MatchFixedString);
    if (!scelti.isEmpty())
        scelti.first()->setSelected(true);
    const bool modificabile = Pupils(m_state).modificabile() && !scelti.isEmpty();
    CommandRinominaUtente->setEnabled(modificabile);
    CommandEliminaUtente->setEnabled(modificabile);
}

void FormConfigura::CommandRinominaUtente_Click()
{
    Pupils alunni(m_state);
    if (!alunni.modificabile())
        return;
    const QString prima = m_state.NomeUtente;
    const auto nuovo = m_state.dialogs->input(this, testo("0244", "Nuovo nome per %1:").arg(prima),
                                              QStringLiteral("Vorbello"));
    if (!nuovo || nuovo->isEmpty())
        return;
    QString problema;
    switch (alunni.rinomina(*nuovo)) {
    case Pupils::Esito::Fatto:
        break;
    case Pupils::Esito::NomeNonValido:
        problema = testo("0167", "Il nome \"%1\" non può essere usato per un alunno.").arg(inBreve(*nuovo));
        break;
    case Pupils::Esito::NomeUsato:
        problema = testo("0245", "Il nome \"%1\" è già di un altro alunno.").arg(inBreve(*nuovo));
        break;
    case Pupils::Esito::Fallito:
        problema = testo("0246", "%1 non è stato rinominato: i suoi file non si possono cambiare "
                                 "in questo momento.").arg(prima);
        break;
    }
    if (!problema.isEmpty())
        m_state.dialogs->message(this, problema, QStringLiteral("Vorbello"), Dialogs::Icon::Warning);
    Label4->setText(m_state.NomeUtente);
    riempiElencoUtenti();
}

void FormConfigura::CommandEliminaUtente_Click()
{
    Pupils alunni(m_state);
    if (!alunni.modificabile())
        return;
    const QString alunno = m_state.NomeUtente;
    const QString domanda = testo("0247", "Eliminare %1 con le sue impostazioni e la sua storia dei "
                                          "progressi? Non si potrà tornare indietro.");
    if (!m_state.dialogs->question(this, domanda.arg(alunno), QStringLiteral("Vorbello")))
        return;
    if (!alunni.elimina()) {
        m_state.dialogs->message(this,
                                 testo("0248", "%1 non è stato eliminato del tutto: alcuni suoi file "
                                               "non si possono cambiare in questo momento.")
                                     .arg(alunno),
                                 QStringLiteral("Vorbello"), Dialogs::Icon::Warning);
    }
    Label4->setText(m_state.NomeUtente);
    ImpostaConfigurazioni();
    riempiElencoUtenti();
}

void FormConfigura::TabStrip1_Click(int tab)
{
    if (tab < 0 || tab >= frames.size())
        return;
    NascondiFrame();
    frames[tab]->show();
    frames[tab]->raise();
    if (tab == 1)
        PreparaVorbe();
}

void FormConfigura::cambiaUtente(const QString &nomeUtente)
{
    Pupils(m_state).rendiCorrente(nomeUtente);
    Label4->setText(nomeUtente);
}

void FormConfigura::OptionUtente_Click(int index)
{
    // A new pupil whose name was refused has no file: leaving it goes back to the pupil before,
    // as last saved, rather than writing its settings over that pupil's.
    if (m_state.FileProfilo.isEmpty()) {
        Pupils(m_state).prendi(m_state.NomeUtente);
        ImpostaConfigurazioni();
    } else {
        SalvaProfilo(m_state);
    }
    m_nuovoConfermato.clear();
    switch (index) {
    case 0:
        cambiaUtente(Predefinito);
        TextNuovoUtente->hide();
        ListModificaUtente->hide();
        break;
    case 1:
        ListModificaUtente->show();
        riempiElencoUtenti();
        // Nothing is chosen until the teacher picks a pupil from the list.
        ListModificaUtente->clearSelection();
        CommandRinominaUtente->setEnabled(false);
        CommandEliminaUtente->setEnabled(false);
        TextNuovoUtente->hide();
        break;
    case 2:
        TextNuovoUtente->clear();
        TextNuovoUtente->show();
        TextNuovoUtente->setFocus();
        ListModificaUtente->hide();
        break;
    default:
        break;
    }
    CommandRinominaUtente->setVisible(index == 1);
    CommandEliminaUtente->setVisible(index == 1);
}

void FormConfigura::ListModificaUtente_Click()
{
    const QList<QListWidgetItem *> scelti = ListModificaUtente->selectedItems();
    if (scelti.isEmpty())
        return;
    // Loading another pupil over settings that could not be written would lose them.
    if (!Pupils(m_state).passaA(scelti.first()->text())) {
        const QSignalBlocker block(ListModificaUtente);
        ListModificaUtente->clearSelection();
        return;
    }
    Label4->setText(m_state.NomeUtente);
    ImpostaConfigurazioni();
    const bool modificabile = Pupils(m_state).modificabile();
    CommandRinominaUtente->setEnabled(modificabile);
    CommandEliminaUtente->setEnabled(modificabile);
}

bool FormConfigura::TextNuovoUtente_Conferma()
{
    if (TextNuovoUtente->isHidden())
        return true;
    const QString testo = TextNuovoUtente->text();
    const bool senzaNome = m_state.FileProfilo.isEmpty();
    if (!senzaNome && (testo.isEmpty() || testo == m_nuovoConfermato))
        return true;
    Pupils alunni(m_state);
    if (!Pupils::nomeValido(testo)) {
        // Until it has a usable name the new pupil has no file: nothing typed for it may be
        // saved over the pupil before. What was typed stays to be mended.
        m_state.FileProfilo.clear();
        QString testoMessaggio = MLSGetString(m_state, QStringLiteral("0167"));
        if (!testoMessaggio.contains(QLatin1String("%1")))
            testoMessaggio = QString::fromUtf8("Il nome \"%1\" non può essere usato per un alunno.");
        m_state.dialogs->message(this, testoMessaggio.arg(inBreve(testo)), QStringLiteral("Vorbello"),
                                 Dialogs::Icon::Warning);
        TextNuovoUtente->setFocus();
        return false;
    }
    m_nuovoConfermato = testo;
    // A pupil who already has settings takes them up: keeping those on screen would write them
    // over that pupil's file at the next save.
    const QString esistente = alunni.esistente(testo);
    if (!esistente.isEmpty()) {
        alunni.prendi(esistente);
        ImpostaConfigurazioni();
    } else {
        alunni.rendiCorrente(testo);
    }
    Label4->setText(m_state.NomeUtente);
    return true;
}

void FormConfigura::CasellaColorata_Click(int k)
{
    if (k < 0 || k >= Caselle)
        return;
    const QString hex = m_state.ColoriHex[k];
    Profilo &p = m_state.profilo;
    for (int i = 0; i < Option2.size(); ++i) {
        if (!Option2[i]->isChecked() || !ColoreDaHex(hex).isValid())
            continue;
        p.TabellaColori[i][0] = hex;
        if (i == 0)
            continue;
        for (int c = 1; c <= 4; ++c) {
            const QString prompt = MLSGetString(m_state, ChiaveNumerata(52 + c));
            p.TabellaColori[i][c] = m_state.dialogs->input(this, prompt, QStringLiteral("Vorbello"))
                                        .value_or(QString());
        }
    }
    PreparaVorbe();
}

void FormConfigura::Command4_Click()
{
    CaricaNomiColori(m_state.profilo);
    PreparaVorbe();
}

void FormConfigura::PreparaVorbe()
{
    const auto t = TabellaColoriMostrata(m_state);
    for (int i = 1; i <= 4; ++i)
        Option2[i]->setText(didascaliaDati(t[i][1] + QStringLiteral(" - ") + t[i][2] +
                                           QStringLiteral(" - ") + t[i][3] + QStringLiteral(" - ") +
                                           t[i][4]));
    ShockwaveFlash1->setMovie(
        m_state.paths.toHost(m_state.paths.programFolder() + QStringLiteral("\\swf\\vorbe.swf")));
    ShockwaveFlash1->setBGColor(t[0][0]);
    for (int n = 1; n <= 4; ++n) {
        ShockwaveFlash1->SetVariable(QStringLiteral("QualeOggetto"),
                                     QStringLiteral("tazza%1.interno").arg(n));
        ShockwaveFlash1->SetVariable(QStringLiteral("TestoColore.QualeColore"), t[n][0]);
    }
}

void FormConfigura::minuscolo_Click()
{
    Profilo &p = m_state.profilo;
    p.TipoCarattere = QStringLiteral("minuscolo");
    p.NomeFont = p.FontNormale;
    ImpostaConfigurazioni();
}

void FormConfigura::maiuscolo_Click()
{
    Profilo &p = m_state.profilo;
    p.TipoCarattere = QStringLiteral("maiuscolo");
    p.NomeFont = p.FontNormale;
    ImpostaConfigurazioni();
}

void FormConfigura::corsivo_Click()
{
    Profilo &p = m_state.profilo;
    // Already cursive, the font name is the cursive one: keeping it would lose the normal font.
    if (p.TipoCarattere != Corsivo)
        p.FontNormale = p.NomeFont;
    p.TipoCarattere = Corsivo;
    p.NomeFont = QStringLiteral("Indis1");
    ImpostaConfigurazioni();
}

void FormConfigura::Command1_Click()
{
    Profilo &p = m_state.profilo;
    if (ScegliColore(m_state, this, LabelPerColore))
        p.ColoreSelezione = ForeColor(LabelPerColore);
    Command1->setSfondo(ColoreDaCodice(p.ColoreSelezione));
}

void FormConfigura::CommandSceltaColoreBottoni_Click()
{
    Profilo &p = m_state.profilo;
    if (ScegliColore(m_state, this, LabelPerColore))
        p.ColoreBottoni = ForeColor(LabelPerColore);
    CommandSceltaColoreBottoni->setSfondo(ColoreDaCodice(p.ColoreBottoni));
}

void FormConfigura::CommandSceltaColoreFont_Click()
{
    if (!ScegliColore(m_state, this, LabelFontSelezionato[0]))
        return;
    m_state.profilo.ColoreFont = ForeColor(LabelFontSelezionato[0]);
    ImpostaConfigurazioni();
}

void FormConfigura::CommandSceltaSfondoTesto_Click()
{
    if (!ScegliColore(m_state, this, LabelPerColore))
        return;
    m_state.profilo.SfondoTesto = ForeColor(LabelPerColore);
    ImpostaConfigurazioni();
}

void FormConfigura::CommandSceltaColori_Click()
{
    if (ScegliColore(m_state, this, LabelPerColore))
        m_state.profilo.ColoreFisso = ForeColor(LabelPerColore);
    ImpostaConfigurazioni();
}

void FormConfigura::OptionColoreCasualeFisso_Click(int index)
{
    Profilo &p = m_state.profilo;
    p.ColoriVari = index == 0;
    sfondo(FrameFonts, p.ColoriVari ? ColoreDaCodice(0x8000000F) : ColoreDaCodice(p.ColoreFisso));
    CommandSceltaColori->setEnabled(!p.ColoriVari);
}

void FormConfigura::CommandSceltaFont_Click()
{
    QLabel *campione = LabelFontSelezionato[0];
    if (!ScegliFont(m_state, this, campione))
        return;
    Profilo &p = m_state.profilo;
    const QFont f = campione->font();
    if (p.TipoCarattere != Corsivo) {
        p.NomeFont = f.family();
    } else {
        m_state.dialogs->message(this,
                                 MLSGetString(m_state, QStringLiteral("0057")) + QLatin1Char('\n') +
                                     MLSGetString(m_state, QStringLiteral("0058")),
                                 QStringLiteral("Vorbello"), Dialogs::Icon::Information);
    }
    p.DimensioneFont =
        qint16(std::clamp(f.pointSize(), 1, int(std::numeric_limits<qint16>::max())));
    p.FontNormale = f.family();
    ImpostaConfigurazioni();
}

void FormConfigura::Option4_Click(int index)
{
    m_state.profilo.ModoInput = qint16(index);
    ImpostaConfigurazioni();
}

void FormConfigura::HScroll3_Change()
{
    m_state.profilo.VelocitaScansione = qint16(HScroll3->value());
    Label7->setText(DidascaliaVelocita(HScroll3->value(), ControlText::tag(Label7)));
}

void FormConfigura::mnuEsci_Click()
{
    // A refused name keeps the window open on it rather than lose the pupil's settings.
    if (m_uscita || !TextNuovoUtente_Conferma())
        return;
    m_uscita = true;
    SalvaProfilo(m_state);
    if (!mostraEChiudi(QStringLiteral("FormMenu")))
        m_uscita = false;
}
