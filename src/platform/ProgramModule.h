#pragma once

#include <QFunctionPointer>
#include <QString>

// The program's optional parts are modules loaded at their first use, so that their libraries
// cost nothing until then. A module is looked for beside the program, then where a package
// unpacked anywhere keeps it, then where it was built to be installed; it stays loaded.
// Null when no module of that name has the function.
QFunctionPointer ProgramModuleFunction(const QString &moduleFile, const char *function);
