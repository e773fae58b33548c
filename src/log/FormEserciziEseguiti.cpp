#include "log/FormEserciziEseguiti.h"

#include "platform/ProgramModule.h"

#include "core/AppState.h"
#include "core/Modulo1.h"
#include "lang/modLanguageSupport.h"
#include "platform/Dialogs.h"
#include "platform/StoredFile.h"
#include "print/PrintService.h"
#include "profile/CommDlgs.h"

#include <QAction>
#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTableWidget>

FormEserciziEseguiti::FormEserciziEseguiti(AppState &state)
    : FormBase(state, QStringLiteral("FormEserciziEseguiti"), {640, 480})
{
    setWindowTitle(QStringLiteral("Vorbello"));
    auto label = [this](const char *name, QRect r, int size) {
        auto *l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setTextFormat(Qt::PlainText);
        l->setGeometry(r);
        QFont f = l->font();
        f.setPointSize(size);
        l->setFont(f);
        return l;
    };
    Label1 = label("Label1", {20, 30, 600, 30}, 16);
    Label2 = label("Label2", {20, 62, 600, 26}, 13);
    MSFlexGrid1 = new QTableWidget(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setGeometry(20, 94, 600, 340);
    MSFlexGrid1->setColumnCount(5);
    MSFlexGrid1->horizontalHeader()->hide();
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    QFont gf = MSFlexGrid1->font();
    gf.setPointSize(12);
    MSFlexGrid1->setFont(gf);
    Label3 = label("Label3", {20, 440, 600, 26}, 12);

    barraMenu = new QMenuBar(this);
    barraMenu->setObjectName(QStringLiteral("barraMenu"));
    barraMenu->setNativeMenuBar(false);
    mnuFile = barraMenu->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    auto voce = [this](const char *caption, const char *name, void (FormEserciziEseguiti::*slot)()) {
        QAction *a = mnuFile->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mnuSalva = voce("Salva", "mnuSalva", &FormEserciziEseguiti::mnuSalva_Click);
    mnuApri = voce("Apri", "mnuApri", &FormEserciziEseguiti::mnuApri_Click);
    mnuStampa = voce("&Stampa", "mnuStampa", &FormEserciziEseguiti::mnuStampa_Click);
    mnuEsci = voce("&Esci", "mnuEsci", &FormEserciziEseguiti::mnuEsci_Click);
    mnuProgressi = barraMenu->addAction(QStringLiteral("Progressi"));
    mnuProgressi->setObjectName(QStringLiteral("mnuProgressi"));
    connect(mnuProgressi, &QAction::triggered, this, &FormEserciziEseguiti::mnuProgressi_Click);
}

void FormEserciziEseguiti::mnuProgressi_Click()
{
    using Show = void (*)(AppState &, QWidget *);
    if (auto show = reinterpret_cast<Show>(
            ProgramModuleFunction(QStringLiteral("vorbello_progress.so"), "vorbello_show_progress")))
        show(m_state, this);
    else
        m_state.dialogs->message(this, MLSGetString(m_state, QStringLiteral("0241")),
                                 QStringLiteral("Vorbello"), Dialogs::Icon::Warning);
}

QString FormEserciziEseguiti::CartellaReport() const
{
    return SettingsRoot::Programma + QStringLiteral("Dati\\") + m_state.NomeUtente + QLatin1Char('\\');
}

void FormEserciziEseguiti::cella(int row, int col, const QString &text)
{
    auto *item = MSFlexGrid1->item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        // Columns 0-2 centred, the counts left-aligned.
        item->setTextAlignment(col <= 2 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        if (row == 0) {
            QFont f = MSFlexGrid1->font();
            f.setBold(true);
            item->setFont(f);
            item->setBackground(QColor(0xE0, 0xE0, 0xE0));
        }
        MSFlexGrid1->setItem(row, col, item);
    }
    item->setText(text);
}

QString FormEserciziEseguiti::testoCella(int row, int col) const
{
    const auto *item = MSFlexGrid1->item(row, col);
    return item ? item->text() : QString();
}

void FormEserciziEseguiti::intestazione(const QString &chiaveEsercizio)
{
    if (MSFlexGrid1->rowCount() < 1)
        MSFlexGrid1->setRowCount(1);
    cella(0, 0, QString());
    cella(0, 1, MLSGetString(m_state, chiaveEsercizio));
    cella(0, 2, m_state.Frasi[59]);
    cella(0, 3, m_state.Frasi[0]);
    cella(0, 4, m_state.Frasi[1]);
}

void FormEserciziEseguiti::larghezzeColonne()
{
    const int unit = MSFlexGrid1->viewport()->width() / 24;
    const int parts[5] = {1, 10, 4, 4, 4};
    for (int c = 0; c < 5; ++c)
        MSFlexGrid1->setColumnWidth(c, unit * parts[c]);
}

void FormEserciziEseguiti::Form_Activate()
{
    occupaSchermo();
    Label1->setText(m_state.NomeUtente);
    mnuProgressi->setText(MLSGetString(m_state, QStringLiteral("0223")));
    Label2->setText(MLSGetString(m_state, QStringLiteral("0071")) + QLatin1Char(' ') +
                    QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    const int n = m_state.registro.righe();
    MSFlexGrid1->clearContents();
    MSFlexGrid1->setRowCount(n + 1);
    intestazione(QStringLiteral("0072"));
    for (int i = 1; i <= n; ++i) {
        cella(i, 0, QString::number(i));
        for (int c = 0; c < 4; ++c)
            cella(i, c + 1, m_state.registro.riga(i)[size_t(c)]);
    }
    Label3->clear();
    larghezzeColonne();
}

void FormEserciziEseguiti::resizeEvent(QResizeEvent *event)
{
    FormBase::resizeEvent(event);
    if (barraMenu)
        barraMenu->setGeometry(0, 0, width(), barraMenu->sizeHint().height());
    if (MSFlexGrid1)
        larghezzeColonne();
}

Rapporto FormEserciziEseguiti::rapporto() const
{
    Rapporto r;
    r.utente = Label1->text();
    r.data = Label2->text();
    for (int row = 1; row < MSFlexGrid1->rowCount(); ++row)
        r.righe.append({testoCella(row, 1), testoCella(row, 2), testoCella(row, 3), testoCella(row, 4)});
    r.piede = Label3->text();
    return r;
}

bool FormEserciziEseguiti::preparaCartella()
{
    const QString cartella = CartellaReport();
    if (EsisteCartella(m_state.paths, cartella))
        return true;
    return CreaCartella(m_state, cartella.left(cartella.size() - 1));
}

void FormEserciziEseguiti::mnuSalva_Click()
{
    preparaCartella();
    const QString path = ScegliFile(m_state, this, 2, QStringLiteral("Salva"), QString(),
                                    QStringLiteral("(*.rpt)"), CartellaReport(), QStringLiteral("rpt"));
    bool ok = !path.isEmpty();
    // A failed save never spoils an older report.
    ok = ok && StoredFile::replace(path, ScriviRapporto(rapporto()));
    if (!ok)
        m_state.dialogs->message(this, MLSGetString(m_state, QStringLiteral("0075")), QStringLiteral("Vorbello"),
                                 Dialogs::Icon::Critical);
}

void FormEserciziEseguiti::mnuApri_Click()
{
    for (int row = 0; row < MSFlexGrid1->rowCount(); ++row)
        for (int c = 0; c < 5; ++c)
            if (auto *item = MSFlexGrid1->item(row, c))
                item->setText(QString());
    preparaCartella();
    const QString path = ScegliFile(m_state, this, 1, QStringLiteral("Apri"), QString(),
                                    QStringLiteral("(*.rpt)"), CartellaReport(), QStringLiteral("rpt"));
    intestazione(QStringLiteral("0073"));
    bool ok = false;
    QByteArray bytes;
    // A report is a few kilobytes; anything far larger is not one of ours.
    if (!path.isEmpty() && StoredFile::read(path, 4 * 1024 * 1024, &bytes)) {
        Rapporto r;
        ok = LeggiRapporto(bytes, &r);
        // What could be read stays on view, also from a damaged file.
        Label1->setText(r.utente);
        Label2->setText(r.data);
        MSFlexGrid1->setRowCount(int(r.righe.size()) + 1);
        for (int row = 1; row <= r.righe.size(); ++row) {
            cella(row, 0, QString::number(row));
            for (int c = 0; c < 4; ++c)
                cella(row, c + 1, r.righe[row - 1].value(c));
        }
        Label3->setText(r.piede);
    }
    if (!ok)
        m_state.dialogs->message(this, MLSGetString(m_state, QStringLiteral("0074")), QStringLiteral("Vorbello"),
                                 Dialogs::Icon::Critical);
}

void FormEserciziEseguiti::mnuStampa_Click()
{
    if (!m_state.dialogs->question(this, MLSGetString(m_state, QStringLiteral("0076")), QStringLiteral("Vorbello")))
        return;
    if (!m_state.printers)
        return;
    // The default printer, else the first there is: with none installed, a PDF in the pupil's
    // folder, which the user is told of instead.
    LavoroStampa lavoro;
    lavoro.stampante = StampantePredefinita(m_state);
    if (lavoro.stampante != Printers::nomePdf())
        m_state.dialogs->message(this, MLSGetString(m_state, QStringLiteral("0077")),
                                 QStringLiteral("Vorbello"), Dialogs::Icon::Information);
    lavoro.titolo = NomeLavoroStampa(MLSGetString(m_state, QStringLiteral("0191")));
    lavoro.pagina = {2, QPageSize()};
    const Foglio f = m_state.printers->foglio(lavoro.stampante, lavoro.pagina);
    lavoro.rettangoloMm = QRect(0, 0, std::max(1, f.larghezza), std::max(1, f.altezza));
    const Rapporto r = rapporto();
    QStringList testata;
    for (int c = 0; c < 5; ++c)
        testata << testoCella(0, c);
    QList<int> colonne;
    for (int c = 0; c < 5; ++c)
        colonne << MSFlexGrid1->columnWidth(c);
    const QString nome = m_state.NomeUtente;
    const QFont font = MSFlexGrid1->font();
    const int dpiSchermo = logicalDpiX();
    lavoro.disegnaPagine = [&](QPainter &p, const QRect &area, const std::function<bool()> &nuova) {
        const qreal scala = p.device()->logicalDpiX() / qreal(dpiSchermo);
        QList<qreal> larghezze;
        for (int w : colonne)
            larghezze << w * scala;
        // A printer keeps the painter's state from page to page, a new device does not.
        auto origine = [&p, &area] {
            p.resetTransform();
            p.translate(area.topLeft());
        };
        origine();
        StampaGriglia(p, nome, r, testata, larghezze, font, QSizeF(area.size()), [&] {
            if (!nuova())
                return false;
            origine();
            return true;
        });
    };
    const EsitoStampa esito = InviaStampa(m_state, this, lavoro, QStringLiteral("registro"));
    if (!esito.riuscito)
        m_state.dialogs->message(this, TestoErroreStampa(esito), QStringLiteral("Vorbello"),
                                 Dialogs::Icon::Critical);
}

void FormEserciziEseguiti::mnuEsci_Click()
{
    mostraEChiudi(QStringLiteral("FormMenu"));
}
