#pragma once

class AppState;

// A right-answer sound, picked at random among the program's "\suoni\si\" files; nothing when
// the profile has sounds off.
void SuonoSi(AppState &state);
// The same for a wrong answer, from "\suoni\no\".
void SuonoNo(AppState &state);
