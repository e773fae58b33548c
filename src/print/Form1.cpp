#include "print/Form1.h"

#include "core/AppState.h"
#include "lang/modLanguageSupport.h"
#include "print/FiguraDaColorare.h"
#include "print/PrintService.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>

Form1::Form1(AppState &state, QWidget *parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vorbello"));
    setModal(true);
    setFixedSize(660, 520);

    barraMenu = new QMenuBar(this);
    barraMenu->setObjectName(QStringLiteral("barraMenu"));
    barraMenu->setNativeMenuBar(false);
    barraMenu->setGeometry(0, 0, width(), 26);
    mnuEsci = barraMenu->addAction(QStringLiteral("&Esci"));
    mnuEsci->setObjectName(QStringLiteral("mnuEsci"));
    connect(mnuEsci, &QAction::triggered, this, [this] { mnuEsci_Click(); });

    Label1 = new QLabel(QStringLiteral("Clicca sulla tazza che vuoi stampare"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(10, 32, width() - 20, 36);
    QFont f = Label1->font();
    f.setPointSize(14);
    Label1->setFont(f);

    for (int i = 0; i < 6; ++i) {
        const QString file = m_state.paths.toHost(m_state.paths.programFolder() +
                                                  QStringLiteral("\\figure\\tazza%1.svg").arg(i + 1));
        auto *p = new FiguraDaColorare(file, this);
        p->setObjectName(QStringLiteral("Picture1"));
        ControlText::setIndex(p, i);
        p->setGeometry(20 + (i % 3) * 210, 80 + (i / 3) * 210, 200, 200);
        p->setAccessibleName(QStringLiteral("%1").arg(i + 1));
        connect(p, &FiguraDaColorare::clicked, this, [this, i] { Picture1_Click(i); });
        Picture1.append(p);
    }
}

void Form1::Form_Load()
{
    MLSApplyToForm(m_state, this);
    // Each drawing is named for screen readers by the instruction and its number.
    for (int i = 0; i < Picture1.size(); ++i)
        Picture1[i]->setAccessibleName(Label1->text() + QStringLiteral(": ") + QString::number(i + 1));
}

void Form1::Picture1_Click(int index)
{
    if (index < 0 || index >= Picture1.size())
        return;
    const QString modello = MLSGetString(m_state, QStringLiteral("0190"));
    const QString cosa = modello.contains(QLatin1String("%1")) ? modello.arg(index + 1) : modello;
    StampaFPB(m_state, this, Picture1[index], 10, 10, 100, 100, 1, QString(), std::nullopt,
              NomeLavoroStampa(cosa));
}

void Form1::mnuEsci_Click()
{
    accept();
}
