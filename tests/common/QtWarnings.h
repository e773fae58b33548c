#pragma once

#include <QRegularExpression>
#include <QTest>

// Called from a test's init(): a Qt warning fails the test that caused it, as the fault it
// usually is. The offscreen platform's notes on what it cannot do ("This plugin does not
// support raise()") say nothing about our code and are let through.
inline void failOnQtWarnings()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support\\b)")));
}
