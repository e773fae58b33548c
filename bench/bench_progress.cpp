// Figures for the history: a year of daily use (365 days × 6 exercises × 40 answers) read into
// the progress view, and one run written as an exercise ends.

#include "EsercizioEnv.h"
#include "Misura.h"
#include "log/ProgressWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Finestra f;
    f.env.state->NomeUtente = QStringLiteral("Anna");
    f.env.state->fileStoria = f.env.driveC() + QStringLiteral("/storia.sqlite");
    History *h = f.env.state->storia();
    if (!h)
        return 1;

    const QDate today(2026, 12, 7);
    QRandomGenerator random(7);
    std::vector<double> writes;
    for (int d = 364; d >= 0; --d) {
        for (int e = 0; e < 6; ++e) {
            History::Run run{QStringLiteral("ANNA"), QString::fromLatin1(Esercizi::Finestre[e]),
                             1 + int(random.bounded(4)), 0, 0,
                             today.addDays(-d).startOfDay().addSecs(9 * 3600 + e * 600), {}};
            for (int a = 0; a < 40; ++a) {
                const bool right = random.bounded(100) < 70;
                run.answers.append({500 + qint64(random.bounded(6000)), right,
                                    int(random.bounded(8)), int(random.bounded(2))});
                (right ? run.right : run.wrong)++;
            }
            QElapsedTimer t;
            t.start();
            if (!h->record(run))
                return 1;
            writes.push_back(t.nsecsElapsed() / 1e6);
        }
    }
    std::sort(writes.begin(), writes.end());
    std::printf("history: one run of 40 answers written, median %.2f ms, worst %.2f ms\n",
                writes[writes.size() / 2], writes.back());

    const auto read = medianWorstMs([&](int) {
        h->runs(QStringLiteral("ANNA"), today.addYears(-1).startOfDay(), today.addDays(1).startOfDay());
    }, 7);
    std::printf("history: a year of runs read, median %.1f ms, worst %.1f ms\n", read.first, read.second);

    const auto view = medianWorstMs([&](int) {
        ProgressWindow w(*f.env.state, nullptr, today);
        w.choosePeriod(Progress::Period::Year);
        w.show();
        w.grab(); // painted, charts included
    }, 7);
    std::printf("progress view: a year loaded and painted, median %.1f ms, worst %.1f ms (target < 100 ms)\n",
                view.first, view.second);
    return 0;
}
