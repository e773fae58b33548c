// Figures for the exercise windows: from asking for the next exercise to the window painted,
// for the windows with the most cups, and the sentence builders alone.

#include "EsercizioEnv.h"
#include "exercises/FormEs1.h"
#include "exercises/FormEs5.h"
#include "exercises/FormGriglia.h"
#include "exercises/LogicaEs1.h"
#include "exercises/TestiFrase.h"

#include "Misura.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <class Form> void window(const char *name, const char *what, int level)
{
    Finestra f;
    auto *w = f.apri<Form>(name);
    w->resize(1024, 768);
    w->mnuLiv_Click(level);
    w->grab();
    const auto [median, worst] = medianWorstMs([&](int) {
        w->GeneraEsercizio();
        w->grab(); // everything painted, as on screen
    }, 60);
    std::printf("%-44s median %6.2f ms, worst %6.2f ms\n", what, median, worst);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    window<FormEs1>("FormEs1", "True or false, next exercise (1 cup)", 4);
    window<FormEs5>("FormEs5", "Sets, new series (21 movies)", 4);
    window<FormEs6>("FormEs6", "Odd ones out, level 5 (12 cups)", 5);

    Finestra f;
    TestiFrase testi(*f.env.state);
    ClockRandom random(1);
    LogicaEs1 es(random);
    es.ImpostaColori();
    for (int level : {1, 4, 6}) {
        es.Livello = level;
        const auto [median, worst] = medianWorstMs([&](int) {
            for (int i = 0; i < 1000; ++i)
                es.ScriviFrase(testi);
        }, 21);
        std::printf("True or false level %d: 1000 sentences        median %6.2f ms, worst %6.2f ms\n", level, median,
                    worst);
    }
    return 0;
}
