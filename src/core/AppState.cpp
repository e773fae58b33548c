#include "core/AppState.h"

#include "layout/clsResize.h"

AppState::AppState(const Paths &p) : paths(p), ini(paths)
{
}

AppState::~AppState() = default;
