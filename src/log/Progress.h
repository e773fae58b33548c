#pragma once

#include "core/History.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A pupil's history summed up for the teacher: for each exercise, one point per day (over a
// few weeks) or per week (over longer periods).
namespace Progress {

enum class Period { FourWeeks, ThreeMonths, Year, All };

struct Point
{
    QDate start; // the day, or the Monday of the week
    int right = 0;
    int wrong = 0;
    int level = 0;          // the highest level played
    qint64 medianMs = -1;   // -1 when no answer was timed
    int medianScanSteps = -1; // -1 when no answer was made by switches
    int scanLoops = 0;
    // Share of right answers in percent; -1 with no answers.
    double rightPercent() const
    {
        return right + wrong > 0 ? 100.0 * right / (right + wrong) : -1.0;
    }
};

struct Series
{
    QString exercise; // as the history names it: the exercise window
    QList<Point> points; // oldest first
};

// The first day a period covers, ending today.
QDate firstDay(Period period, QDate today);
bool byWeek(Period period);

// One series per exercise that has runs, in the order of `exercises` (others after them).
QList<Series> summarise(const QList<History::Run> &runs, bool byWeek,
                        const QStringList &exercises = {});

// The points as a CSV file for a spreadsheet: UTF-8 with a byte-order mark, fields separated by
// ";" (a comma is a decimal separator in many of the pupils' languages), numbers in `locale`.
// `columns` heads the file; `exerciseName` turns an exercise into its name in the language.
QByteArray csv(const QList<Series> &series, const QStringList &columns,
               const std::function<QString(const QString &)> &exerciseName, const QLocale &locale);

} // namespace Progress
