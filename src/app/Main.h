#pragma once

#include <optional>

class AppState;

// Starts the program: refuses a second copy, prepares the settings folders, loads the default
// user's profile, the sentence fragments and the palette, and shows the start-up window.
int Main(int argc, char **argv);

// The start-up steps after the application object exists, on a prepared state (seams set).
// The exit status when the program must end at once (0 when another copy runs, 1 when the
// settings folders cannot be made), with the user told why; none when the program runs.
std::optional<int> AvviaProgramma(AppState &state, bool altraCopiaAttiva);

// Defines every window the program can show.
void RegistraFinestre(AppState &state);
