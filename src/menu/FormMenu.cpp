#include "menu/FormMenu.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "core/Colori.h"
#include "core/Modulo1.h"
#include "core/SvgPicture.h"
#include "core/WindowRegistry.h"
#include "lang/modLanguageSupport.h"
#include "profile/Pupils.h"
#include "exercises/ExerciseFlow.h"
#include "layout/clsResize.h"
#include "platform/Dialogs.h"
#include "scanning/ScanBox.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace {

// The window each choice opens, and the key of the name it writes into the log.
const char *const Didascalie[FormMenu::NumeroScelte] = {
    "Vero o falso", "Uguale - diverso", "Uguali ", "Insiemi", "Trova gli intrusi",
    "Trova la tazza", "esci"};
// Design layout, in pixels of a 480 × 290 window (the menu bar takes the top 24).
const int Sinistra[FormMenu::NumeroScelte] = {88, 88, 88, 248, 248, 248, 392};
const int Alto[FormMenu::NumeroScelte] = {40, 128, 216, 40, 128, 216, 216};
constexpr int LargBottone = 68, AltBottone = 49, LargFigura = 64;
// A font past this could no longer fit any button: a safeguard for absurd window sizes.
constexpr int FontMassimo = 96;

QCursor puntatore(const QString &svg)
{
    if (!QFileInfo(svg).isFile())
        return QCursor(Qt::PointingHandCursor);
    QSvgRenderer r(svg);
    if (!r.isValid())
        return QCursor(Qt::PointingHandCursor);
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    r.render(&p);
    p.end();
    return QCursor(pm, 2, 2); // the fingertip
}

} // namespace

FormMenu::FormMenu(AppState &state)
    : FormBase(state, QStringLiteral("FormMenu"), {480, 290}), m_scansione(*this, this)
{
    setWindowTitle(QStringLiteral("Vorbello"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xD6));
    setPalette(pal);

    const QString folder = state.paths.programFolder();
    for (int i = 0; i < NumeroScelte; ++i) {
        auto *b = new ColorButton(this);
        b->setObjectName(QStringLiteral("Command1"));
        ControlText::setIndex(b, i);
        b->setText(QString::fromUtf8(Didascalie[i]));
        b->setGeometry(Sinistra[i], Alto[i], LargBottone, AltBottone);
        b->setMouseTracking(true);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, i] { cliccato(i); });
        Command1.append(b);

        auto *img = new SvgPicture(this);
        img->setObjectName(QStringLiteral("Image1"));
        ControlText::setIndex(img, i);
        img->setGeometry(Sinistra[i] - LargFigura - 6, Alto[i], LargFigura, AltBottone);
        img->load(state.paths.toHost(folder + QStringLiteral("\\immagini\\menu%1.svg").arg(i)));
        img->setMouseTracking(true);
        img->installEventFilter(this);
        connect(img, &SvgPicture::clicked, this, [this, i] { cliccato(i); });
        Image1.append(img);
    }

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(8, 270, 120, 18);
    Combo1->hide();
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });

    LabelDimensionaFont = new QLabel(this);
    LabelDimensionaFont->setObjectName(QStringLiteral("LabelDimensionaFont"));
    LabelDimensionaFont->hide();

    PictureScansioneManuale = new ScanBox(this);
    PictureScansioneManuale->setObjectName(QStringLiteral("PictureScansioneManuale"));
    PictureScansioneManuale->setGeometry(0, 286, 2, 2);
    PictureScansioneAutomatica = new ScanBox(this);
    PictureScansioneAutomatica->setObjectName(QStringLiteral("PictureScansioneAutomatica"));
    PictureScansioneAutomatica->setGeometry(4, 286, 2, 2);
    m_scansione.collega(PictureScansioneManuale, PictureScansioneAutomatica);
    m_scansione.timer().setObjectName(QStringLiteral("Timer1"));
    mostraBox(Box::Manuale, false);
    mostraBox(Box::Automatica, false);

    barraMenu = new QMenuBar(this);
    barraMenu->setObjectName(QStringLiteral("barraMenu"));
    barraMenu->setNativeMenuBar(false);
    // A menu entry is a control: its name lets the language file find it.
    auto voce = [this](auto *parent, const char *caption, const char *name, auto onClick) {
        QAction *a = parent->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, onClick);
        return a;
    };
    mnuConfigura = voce(barraMenu, "Configurazione", "mnuConfigura",
                        [this] { mostraEChiudi(QStringLiteral("FormConfigura")); });
    mnuEserciziEseguiti = voce(barraMenu, "Esercizi eseguiti", "mnuEserciziEseguiti",
                               [this] { mostraEChiudi(QStringLiteral("FormEserciziEseguiti")); });
    mnuInfo = barraMenu->addMenu(QStringLiteral("Informazioni"));
    mnuInfo->setObjectName(QStringLiteral("mnuInfo"));
    mnuDocum = voce(mnuInfo, "documentazione", "mnuDocum", [this] {
        ApriDocumento(m_state, this, m_state.paths.programFolder() + QStringLiteral("\\Vorbello.pdf"));
    });
    mnuAbout = voce(mnuInfo, "about", "mnuAbout", [this] { mostraEChiudi(QStringLiteral("FormInfo")); });
    mnuLanguages = barraMenu->addMenu(QStringLiteral("Lingua"));
    mnuLanguages->setObjectName(QStringLiteral("mnuLanguages"));
    nuovaVoceLingua()->setText(QStringLiteral("Italiano"));
}

QAction *FormMenu::nuovaVoceLingua()
{
    const int n = int(mnuLanguage.size());
    auto *a = mnuLanguages->addAction(QString());
    a->setObjectName(QStringLiteral("mnuLanguage"));
    a->setCheckable(true);
    ControlText::setIndex(a, n);
    connect(a, &QAction::triggered, this, [this, n] { mnuLanguage_Click(n); });
    mnuLanguage.append(a);
    return a;
}

FormMenu::~FormMenu() = default;

QColor FormMenu::coloreSfondo() const
{
    return palette().color(QPalette::Window);
}

void FormMenu::Form_Load()
{
    MLSFillMenuLanguages();
    FormBase::Form_Load();
    for (int i = 0; i < NumeroScelte; ++i) {
        if (i == 2)
            linguaCambiata();
        else
            Command1[i]->setText(QStringLiteral("\r\n") + Command1[i]->text());
    }
}

void FormMenu::linguaCambiata()
{
    // Built from two numbered texts, not a caption of the window's own section.
    Command1[2]->setText(QStringLiteral("\r\n") + MLSGetString(m_state, QStringLiteral("0062")) +
                         QStringLiteral("\r\n") + MLSGetString(m_state, QStringLiteral("0063")));
}

void FormMenu::Form_Activate()
{
    occupaSchermo();
    RecuperaUtenti();
    ImpostaUtente();
}

void FormMenu::resizeEvent(QResizeEvent *event)
{
    FormBase::resizeEvent(event);
    if (barraMenu)
        barraMenu->setGeometry(0, 0, width(), barraMenu->sizeHint().height());
    if (!Command1.isEmpty())
        dimensionaFont();
}

void FormMenu::RecuperaUtenti()
{
    Combo1->clear();
    Combo1->addItems(Pupils(m_state).elenco(Pupils::Filtro::Menu));
    for (int i = 0; i < Combo1->count(); ++i) {
        if (Combo1->itemText(i).compare(m_state.NomeUtente, Qt::CaseInsensitive) == 0) {
            Combo1->setCurrentIndex(i);
            Combo1_Click();
            break;
        }
    }
    Combo1->hide();
}

void FormMenu::Combo1_Click()
{
    const QString prima = m_state.NomeUtente;
    // Settings that could not be saved stay in use (the teacher was told): reloading the
    // pupil's file over them would lose them.
    if (!Pupils(m_state).passaA(Combo1->currentText())) {
        Combo1->setCurrentIndex(Combo1->findText(prima, Qt::MatchFixedString));
        return;
    }
    if (m_state.NomeUtente.compare(prima, Qt::CaseInsensitive) != 0)
        ImpostaUtente();
}

void FormMenu::dimensionaFont()
{
    QFont f(QStringLiteral("Arial"));
    int size = 14;
    f.setPointSize(size);
    LabelDimensionaFont->setFont(f);
    LabelDimensionaFont->setText(QStringLiteral("  DIFFERENZE  "));
    LabelDimensionaFont->adjustSize();
    while (LabelDimensionaFont->width() < Command1[0]->width() && size < FontMassimo) {
        f.setPointSize(++size);
        LabelDimensionaFont->setFont(f);
        LabelDimensionaFont->adjustSize();
    }
    // The reference word is Italian and in Arial: a caption of another language or font, or
    // a button made small, may need less.
    auto entrano = [this](int punti) {
        for (ColorButton *b : std::as_const(Command1)) {
            QFont bf = b->font();
            bf.setPointSize(punti);
            if (!b->didascaliaEntra(bf))
                return false;
        }
        return true;
    };
    while (size > 6 && !entrano(size))
        --size;
    for (ColorButton *b : std::as_const(Command1)) {
        QFont bf = b->font();
        bf.setPointSize(size);
        b->setFont(bf);
    }
}

void FormMenu::ImpostaUtente()
{
    const Profilo &p = m_state.profilo;
    if (!p.ColoriVari) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, ColoreDaCodice(p.ColoreFisso));
        setPalette(pal);
    }
    const QColor bottoni = p.ModoInput == 0 ? coloreSfondo() : ColoreDaCodice(p.ColoreBottoni);
    const bool maiuscolo = p.TipoCarattere == QLatin1String("maiuscolo");
    const QCursor cursore = p.CursoreSistema
                                ? QCursor(Qt::ArrowCursor)
                                : puntatore(m_state.paths.toHost(m_state.paths.programFolder() +
                                                                 QStringLiteral("\\immagini\\puntatore.svg")));
    for (int i = 0; i < NumeroScelte; ++i) {
        ColorButton *b = Command1[i];
        b->setSfondo(bottoni);
        b->setText(maiuscolo ? b->text().toUpper() : b->text().toLower());
        QFont f = b->font();
        f.setFamily(p.NomeFont);
        b->setFont(f);
        b->setColoreTesto(ColoreDaCodice(p.ColoreFont));
        b->setCursor(cursore);
        Image1[i]->setCursor(cursore);
        // Screen readers say what the button does, without the layout's line breaks.
        b->setAccessibleName(b->text().simplified());
    }
    dimensionaFont();
    mnuEserciziEseguiti->setVisible(p.TieniTraccia);
    m_scansione.impostaTempi(m_state.accesso.timing);
    m_scansione.prepara(p.ModoInput, p.VelocitaScansione);
    if (p.ModoInput != 0) {
        for (ColorButton *b : std::as_const(Command1))
            b->setCursor(QCursor(Qt::ArrowCursor));
    }
    QFont cf = Combo1->font();
    cf.setPointSize(std::max(14, Command1[0]->font().pointSize() - 10));
    Combo1->setFont(cf);
}

void FormMenu::AvviaEsercizi(int scelta)
{
    // A second click or switch press already queued while the first choice opens its exercise
    // must not open (and log) another one.
    if (m_scaricata)
        return;
    if (scelta >= 0 && scelta <= 5) {
        m_scaricata = true;
        // Past the log's last row the choice still works but is not logged.
        m_state.registro.iniziaEsercizio(
            MLSGetString(m_state, QStringLiteral("%1").arg(Esercizi::PrimaChiaveNome + scelta, 4, 10, QLatin1Char('0'))));
        if (!mostraEChiudi(QString::fromLatin1(Esercizi::Finestre[scelta]))) {
            m_scaricata = false;
            m_state.registro.annullaEsercizio();
        }
    } else if (scelta == 6) {
        SalvaProfilo(m_state);
        m_state.Ridimensionatore.reset();
        m_scansione.timer().stop();
        m_scaricata = true;
        if (m_state.esci)
            m_state.esci(0);
    }
}

void FormMenu::MLSFillMenuLanguages()
{
    const QStringList lingue = ElencoLingue(m_state);
    if (lingue.isEmpty()) {
        m_state.dialogs->message(this, QString::fromUtf8("Non è presente alcun file di linguaggio!"));
        return;
    }
    auto *group = new QActionGroup(mnuLanguages);
    group->setExclusive(true);
    for (int n = 0; n < lingue.size(); ++n) {
        if (n > 0)
            nuovaVoceLingua();
        mnuLanguage[n]->setText(lingue[n]);
        group->addAction(mnuLanguage[n]);
    }
    m_state.LinguaCorrente = LinguaImpostata(m_state);
    for (int i = 0; i < lingue.size(); ++i) {
        if (mnuLanguage[i]->text() == m_state.LinguaCorrente) {
            mnuLanguage[i]->setChecked(true);
            break;
        }
    }
}

void FormMenu::mnuLanguage_Click(int index)
{
    if (index < 0 || index >= mnuLanguage.size())
        return;
    for (QAction *a : std::as_const(mnuLanguage))
        a->setChecked(false);
    mnuLanguage[index]->setChecked(true);
    // The caption is read before translating: the entries themselves are controls too.
    MLSCambiaLingua(m_state, mnuLanguage[index]->text());
    for (ColorButton *b : std::as_const(Command1))
        b->setAccessibleName(b->text().simplified());
}

void FormMenu::cliccato(int i)
{
    if (m_state.profilo.ModoInput == 0)
        AvviaEsercizi(i);
}

void FormMenu::sopra(int i)
{
    if (m_state.profilo.ModoInput != 0 || i < 0 || i >= NumeroScelte)
        return;
    const QColor sel = ColoreDaCodice(m_state.profilo.ColoreSelezione);
    if (Command1[i]->sfondo() == sel)
        return;
    for (ColorButton *b : std::as_const(Command1))
        b->setSfondo(coloreSfondo());
    Command1[i]->setSfondo(sel);
}

int FormMenu::indiceDi(QObject *o) const
{
    for (int i = 0; i < NumeroScelte; ++i) {
        if (o == Command1[i] || o == Image1[i])
            return i;
    }
    return -1;
}

bool FormMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
        sopra(indiceDi(watched));
    return FormBase::eventFilter(watched, event);
}

void FormMenu::mouseMoveEvent(QMouseEvent *event)
{
    // Over the free area no choice stays highlighted. Moves over a choice that the choice did
    // not take arrive here too, and must leave its highlight alone.
    if (m_state.profilo.ModoInput == 0 && indiceDi(childAt(event->position().toPoint())) < 0) {
        for (ColorButton *b : std::as_const(Command1)) {
            if (b->sfondo() != coloreSfondo())
                b->setSfondo(coloreSfondo());
        }
    }
    FormBase::mouseMoveEvent(event);
}

void FormMenu::dipingi(int bersaglio, Colore colore)
{
    if (bersaglio < 0 || bersaglio >= NumeroScelte)
        return;
    const Profilo &p = m_state.profilo;
    Command1[bersaglio]->setSfondo(colore == Colore::Selezione ? ColoreDaCodice(p.ColoreSelezione)
                                   : colore == Colore::Bottoni ? ColoreDaCodice(p.ColoreBottoni)
                                                               : coloreSfondo());
    Command1[bersaglio]->setCornice(colore == Colore::Selezione ? m_state.accesso.frameThickness : 0);
}

QString FormMenu::nomeBersaglio(int bersaglio) const
{
    return bersaglio >= 0 && bersaglio < Command1.size() ? Command1[bersaglio]->accessibleName()
                                                         : QString();
}

void FormMenu::annuncia(const QString &nome, bool scelta)
{
    m_state.annuncia(nome, scelta);
}

void FormMenu::mostraBox(Box box, bool visibile)
{
    ScanBox *b = box == Box::Manuale ? PictureScansioneManuale : PictureScansioneAutomatica;
    QPalette pal = b->palette();
    pal.setColor(QPalette::Window, coloreSfondo());
    b->setPalette(pal);
    b->setVisible(visibile);
}

void FormMenu::daiFuoco(Box box)
{
    ScanBox *b = box == Box::Manuale ? PictureScansioneManuale : PictureScansioneAutomatica;
    if (b->isVisible() && !b->hasFocus())
        b->setFocus(Qt::OtherFocusReason);
}
