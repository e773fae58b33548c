#pragma once

// An exercise window's world: the shipped language, cup movie, animations and sounds copied
// into a TestEnv, the windows registered, sounds recorded.

#include "RecordingSoundPlayer.h"
#include "TestEnv.h"
#include "app/Main.h"
#include "core/Modulo1.h"
#include "core/NomiClip.h"
#include "core/RandomSource.h"

#include <functional>

struct Finestra
{
    TestEnv env;
    RecordingSoundPlayer sound;
    ClockRandom seeded{7};

    // Seeded draws, or (scripted) every draw 0: level 1 then asks about the heart, truly.
    explicit Finestra(const std::function<void(Profilo &)> &profilo = {}, bool scripted = false)
    {
        if (!scripted)
            env.state->random = &seeded;
        for (const char *file : {"lgnvorbello/Italiano.lng", "swf/vorbe1.svg", "animazioni/1.svg",
                                 "animazioni/2.svg", "suoni/si/1.wav", "suoni/no/1.wav",
                                 "immagini/avanti.svg"})
            env.ship(QString::fromLatin1(file));
        env.currentLanguage(QStringLiteral("Italiano"));
        env.state->LinguaCorrente = QStringLiteral("Italiano");
        env.state->sound = &sound;
        CaricaFrasi(*env.state);
        CaricaNomiClip(*env.state);
        if (profilo)
            profilo(env.state->profilo);
        RegistraFinestre(*env.state);
    }
    template <class Form> Form *apri(const char *name)
    {
        auto *w = env.windows->get<Form>(QString::fromLatin1(name));
        w->show();
        return w;
    }
    int giuste() const { return int(sound.requests.filter(QStringLiteral("/si/")).size()); }
    int sbagliate() const { return int(sound.requests.filter(QStringLiteral("/no/")).size()); }
};
