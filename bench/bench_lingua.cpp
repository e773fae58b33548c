// Figures for the language layer: numbered strings and whole-window translation, served from
// the in-memory copy of the language file against a fresh read of the file every time.

#include "core/AppState.h"
#include "core/ProgramFiles.h"
#include "lang/QtTexts.h"
#include "lang/modLanguageSupport.h"
#include "platform/CodePage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double medianMs(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class F> double timeMs(F &&f, int runs)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer e;
        e.start();
        f();
        t.push_back(e.nsecsElapsed() / 1e6);
    }
    return medianMs(t);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("prog/lgnvorbello"));
    QDir(dir.path()).mkpath(QStringLiteral("C"));

    // The shipped Italian file plus a section for a window of 300 controls.
    QFile src(QStringLiteral(VORBELLO_SOURCE_DATA "/lgnvorbello/Italiano.lng"));
    if (!src.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read the shipped language file\n");
        return 1;
    }
    QByteArray bytes = src.readAll();
    bytes += "\r\n[FormGrande]\r\nFormGrande.Caption=Grande\r\n";
    for (int i = 0; i < 300; ++i)
        bytes += QStringLiteral("Command1(%1).Caption=Bottone %1\r\nCommand1(%1).ToolTipText=Suggerimento %1\r\n")
                     .arg(i)
                     .toLatin1();
    QFile out(dir.path() + QStringLiteral("/prog/lgnvorbello/Italiano.lng"));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    out.write(bytes);
    out.close();
    QFile setting(dir.path() + QStringLiteral("/prog/lgnvorbello/LangSetting.ini"));
    if (!setting.open(QIODevice::WriteOnly))
        return 1;
    setting.write("[Language]\r\nCurrentLanguage=Italiano\r\n");
    setting.close();

    AppState state(Paths(dir.path() + QStringLiteral("/C"), dir.path() + QStringLiteral("/prog")));
    QWidget window;
    window.setObjectName(QStringLiteral("FormGrande"));
    window.setWindowTitle(QStringLiteral("x"));
    for (int i = 0; i < 300; ++i) {
        auto *b = new QPushButton(&window);
        b->setObjectName(QStringLiteral("Command1"));
        b->setProperty("Index", i);
    }

    std::printf("Language file: %lld bytes\n", static_cast<long long>(bytes.size()));
    double results[2][2];
    for (int cached = 1; cached >= 0; --cached) {
        state.ini.setCaching(cached);
        state.LinguaCorrente.clear();
        MLSGetString(state, QStringLiteral("0001")); // settles the language
        const double get = timeMs(
            [&] {
                for (int i = 0; i < 10000; ++i)
                    MLSGetString(state, QStringLiteral("%1").arg(1 + i % 160, 4, 10, QLatin1Char('0')));
            },
            cached ? 9 : 3);
        const double apply = timeMs([&] { MLSApplyToForm(state, &window); }, cached ? 51 : 5);
        results[cached][0] = get;
        results[cached][1] = apply;
        std::printf("%-9s MLSGetString x 10,000: %9.2f ms   MLSApplyToForm (300 controls): %8.3f ms\n",
                    cached ? "cached" : "uncached", get, apply);
    }
    std::printf("Speed-up of the cached path: MLSGetString %.0fx, MLSApplyToForm %.0fx\n",
                results[0][0] / results[1][0], results[0][1] / results[1][1]);

    // What a start and a change of language now add: Qt's catalogue and locale, and the check of
    // the shipped folder's language and pictures.
    QtTexts texts;
    bool italiano = false;
    const double follow = timeMs([&] { texts.follow((italiano = !italiano) ? QStringLiteral("Italiano") : QStringLiteral("English")); }, 21);
    AppState shipped(Paths(dir.path() + QStringLiteral("/C"), QStringLiteral(VORBELLO_SOURCE_DATA)));
    const double check = timeMs([&] { ProgramFiles::missingReport(shipped); }, 21);
    std::printf("Qt's texts follow a language: %.3f ms   start-up check of language and pictures: %.3f ms\n",
                follow, check);
    return 0;
}
