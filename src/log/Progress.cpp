#include "log/Progress.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <map>
#include <vector>

namespace Progress {

namespace {

template <typename T> T median(std::vector<T> &values)
{
    const auto middle = values.begin() + qsizetype(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

struct Bucket
{
    Point point;
    std::vector<qint64> ms;
    std::vector<int> steps;
};

QString field(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    return QLatin1Char('"') + quoted.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

QDate firstDay(Period period, QDate today)
{
    switch (period) {
    case Period::FourWeeks:
        return today.addDays(-27);
    case Period::ThreeMonths:
        return today.addMonths(-3);
    case Period::Year:
        return today.addYears(-1);
    case Period::All:
        break;
    }
    return QDate(1970, 1, 1);
}

bool byWeek(Period period)
{
    return period != Period::FourWeeks;
}

QList<Series> summarise(const QList<History::Run> &runs, bool byWeek, const QStringList &exercises)
{
    std::map<std::pair<int, QString>, std::map<QDate, Bucket>> buckets;
    QHash<QString, int> order;
    for (int i = 0; i < exercises.size(); ++i)
        order.insert(exercises[i], i);
    for (const History::Run &run : runs) {
        QDate day = run.ended.date();
        if (byWeek)
            day = day.addDays(1 - day.dayOfWeek());
        Bucket &b = buckets[{order.value(run.exercise, int(exercises.size())), run.exercise}][day];
        b.point.start = day;
        b.point.right += run.right;
        b.point.wrong += run.wrong;
        b.point.level = std::max(b.point.level, run.level);
        for (const History::Answer &a : run.answers) {
            b.ms.push_back(a.ms);
            if (a.scanSteps > 0 || a.scanLoops > 0)
                b.steps.push_back(a.scanSteps);
            b.point.scanLoops += a.scanLoops;
        }
    }
    QList<Series> out;
    for (auto &[key, days] : buckets) {
        Series s{key.second, {}};
        s.points.reserve(qsizetype(days.size()));
        for (auto &[day, b] : days) {
            if (!b.ms.empty())
                b.point.medianMs = median(b.ms);
            if (!b.steps.empty())
                b.point.medianScanSteps = median(b.steps);
            s.points.append(b.point);
        }
        out.append(s);
    }
    return out;
}

QByteArray csv(const QList<Series> &series, const QStringList &columns,
               const std::function<QString(const QString &)> &exerciseName, const QLocale &locale)
{
    QLocale numbers = locale;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    QStringList lines;
    QStringList head;
    for (const QString &c : columns)
        head.append(field(c));
    lines.append(head.join(QLatin1Char(';')));
    for (const Series &s : series) {
        const QString name = field(exerciseName(s.exercise));
        for (const Point &p : s.points) {
            const double percent = p.rightPercent();
            lines.append(QStringList{
                p.start.toString(Qt::ISODate), name, QString::number(p.level),
                QString::number(p.right), QString::number(p.wrong),
                percent < 0 ? QString() : numbers.toString(percent, 'f', 1),
                p.medianMs < 0 ? QString() : numbers.toString(p.medianMs / 1000.0, 'f', 1),
                p.medianScanSteps < 0 ? QString() : QString::number(p.medianScanSteps),
                QString::number(p.scanLoops)}.join(QLatin1Char(';')));
        }
    }
    return "\xEF\xBB\xBF" + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

} // namespace Progress
