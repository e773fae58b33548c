#include "exercises/FormEs5.h"

#include "core/AppState.h"
#include "core/ColorButton.h"
#include "core/FeedbackSounds.h"
#include "exercises/TestiFrase.h"
#include "lang/modLanguageSupport.h"
#include "layout/LineControl.h"
#include "platform/Filmato.h"

#include <QLabel>

namespace {

// Design layout on 640 × 480: the sentence, the cup to judge, the three buttons, then the two
// groups of ten small cups (five by two) side by side, framed by three lines.
constexpr int LatoPiccola = 56;

QRect posto(int gruppo, int i)
{
    const int x0 = gruppo == 0 ? 20 : 340;
    return {x0 + (i % 5) * 58, 300 + (i / 5) * 68, LatoPiccola, 64};
}

} // namespace

FormEs5::FormEs5(AppState &state)
    : FormDueRisposte(state, QStringLiteral("FormEs5"),
                      {ExerciseRules::Insiemi, 1, true, 1, QStringLiteral("\\swf\\Vorbe1.swf")}),
      m_logica(*state.random)
{
    Label1->setGeometry(20, 30, 600, 56);
    ShockwaveFlash[0]->setGeometry(250, 92, 140, 150);
    Command1[0]->setGeometry(70, 150, 150, 80);
    Command1[1]->setGeometry(420, 150, 150, 80);
    Command1[2]->setGeometry(280, 246, 80, 48);
    Command1[0]->setText(QStringLiteral("Appartiene"));
    Command1[1]->setText(QStringLiteral("Non appartiene"));
    const QString immagini = state.paths.programFolder() + QStringLiteral("\\immagini\\");
    Command1[0]->setFigura(state.paths.toHost(immagini + QStringLiteral("appartiene.svg")));
    Command1[1]->setFigura(state.paths.toHost(immagini + QStringLiteral("nonappartiene.svg")));

    for (int g = 0; g < 2; ++g) {
        QList<Filmato *> &gruppo = g == 0 ? ShockwaveFlash2 : ShockwaveFlash3;
        for (int i = 0; i < Gruppo; ++i) {
            auto *f = new Filmato(this);
            f->setObjectName(g == 0 ? QStringLiteral("ShockwaveFlash2") : QStringLiteral("ShockwaveFlash3"));
            ControlText::setIndex(f, i);
            f->setClipNames(&state.NomiClip);
            f->setGeometry(posto(g, i));
            f->hide();
            gruppo.append(f);
        }
    }
    const QColor tratto(0x3a, 0x2e, 0x39);
    const int linea[3][4] = {{320, 296, 320, 436}, {16, 296, 306, 296}, {334, 296, 624, 296}};
    for (int i = 0; i < 3; ++i) {
        auto *l = new LineControl(linea[i][0], linea[i][1], linea[i][2], linea[i][3], this);
        l->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        l->setBorderColor(tratto);
        l->setBorderWidth(2);
        linee.append(l);
    }
}

void FormEs5::ApriFileVorbe()
{
    const QString path = m_state.paths.toHost(m_state.paths.programFolder() + m_regole.filmato);
    ShockwaveFlash[0]->setMovie(path);
    for (int i = 0; i < Gruppo; ++i) {
        ShockwaveFlash2[i]->setMovie(path);
        ShockwaveFlash3[i]->setMovie(path);
    }
}

void FormEs5::GeneraEsercizio()
{
    m_flow.preparing();
    if (m_state.profilo.PassaggioLivelli)
        CambiaLivello();
    for (int i = 0; i < Gruppo; ++i) {
        ShockwaveFlash2[i]->hide();
        ShockwaveFlash3[i]->hide();
    }
    NumeroSi = 0;
    NumeroNo = 0;
    ScriviFrase();
    Frase = fraseMostrata(Frase);
    Label1->setText(Frase);
    adattaTesto(Label1);
    ImpostaColori();
    ShockwaveFlash[0]->show();
    m_flow.ready();
    mostraFase();
    leggiFrase();
}

void FormEs5::ScriviFrase()
{
    m_logica.Livello = m_flow.level();
    m_logica.ScriviFrase(TestiFrase(m_state));
    Frase = m_logica.FraseCorrente.testo();
}

void FormEs5::ImpostaColori()
{
    m_logica.ImpostaColori([this](int k) {
        return Tazza::invia(*ShockwaveFlash[0], m_state, m_logica.AttributiCorrenti, k);
    });
    Soluzione = m_logica.Soluzione;
}

void FormEs5::colora(QList<Filmato *> &gruppo, int posto)
{
    if (posto < 0 || posto >= gruppo.size())
        return;
    if (Tazza::mostra(*gruppo[posto], m_state, m_logica.AttributiCorrenti))
        gruppo[posto]->show();
}

void FormEs5::Command1_Click(int index)
{
    if (m_state.profilo.ModoInput == 0)
        giudica(index, false);
}

void FormEs5::selectTarget(int bersaglio)
{
    if (bersaglio == 2 && m_flow.waitingForNext()) {
        Command1[2]->setSfondo(coloreBottoni());
        m_scansione.parcheggia(0);
        m_scansione.riprendi();
    }
    giudica(bersaglio, true);
}

void FormEs5::giudica(int index, bool scansione)
{
    if (index == 2) {
        if (m_flow.waitingForNext())
            GeneraEsercizio();
        return;
    }
    if (!m_flow.answering() || index < 0 || index > 1)
        return;
    if (index != Soluzione) {
        contaSbagliata();
        return;
    }
    contaGiusta(false);
    if (Soluzione == 1)
        colora(ShockwaveFlash3, NumeroNo++);
    else
        colora(ShockwaveFlash2, NumeroSi++);
    SuonoSi(m_state);
    if (NumeroSi >= Gruppo || NumeroNo >= Gruppo) {
        // A group is full: the series is over and waits for "next".
        m_flow.over();
        mostraFase();
        if (scansione)
            m_scansione.parcheggia(2);
        ShockwaveFlash[0]->hide();
    } else {
        ImpostaColori();
    }
}
