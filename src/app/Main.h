#pragma once

class AppState;

// Starts the program: refuses a second copy, prepares the settings folders, loads the default
// user's profile, the sentence fragments and the palette, and shows the start-up window.
int Main(int argc, char **argv);

// The start-up steps after the application object exists, on a prepared state (seams set).
// False when the program must end at once (another copy runs, or the settings folders cannot
// be made); the user has been told why.
bool AvviaProgramma(AppState &state, bool altraCopiaAttiva);

// Defines every window the program can show.
void RegistraFinestre(AppState &state);
