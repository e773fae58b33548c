#pragma once

class AppState;

// The windows name a cup's decorations by language texts (the clip names are sentence words).
// Fills the table from every language file's texts to the clips' ids in the cup movie, so any
// language, shipped now or added later, finds its decorations.
void CaricaNomiClip(AppState &state);
