#pragma once

#include "log/Progress.h"

#include <QDialog>

class AppState;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QPushButton;

// A pupil's progress over weeks, for the teacher: for the exercise and period chosen, the share
// of right answers and the level reached, and the median answer time, as charts drawn so they
// read in grey on paper; exported as a PDF page or as CSV for a spreadsheet.
class ProgressWindow final : public QDialog
{
    Q_OBJECT
public:
    // Shows `state`'s current pupil as of `today`.
    ProgressWindow(AppState &state, QWidget *parent, QDate today = QDate::currentDate());

    void choosePeriod(Progress::Period period);
    void chooseExercise(int index);
    void exportPdf();
    void exportCsv();

    const QList<Progress::Series> &series() const { return m_series; }

    QComboBox *periodChooser = nullptr;
    QComboBox *exerciseChooser = nullptr;
    QChartView *answersChart = nullptr;
    QChartView *timeChart = nullptr;
    QLineSeries *rightSeries = nullptr;
    QLineSeries *levelSeries = nullptr;
    QLineSeries *timeSeries = nullptr;
    QLabel *emptyLabel = nullptr;
    QPushButton *pdfButton = nullptr;
    QPushButton *csvButton = nullptr;

private:
    QString text(const char *key) const;
    QString exerciseName(const QString &window) const;
    void showExercise();
    void paintPage(QPainter &painter, const QRect &area);

    AppState &m_state;
    QDate m_today;
    Progress::Period m_period = Progress::Period::FourWeeks;
    QList<Progress::Series> m_series;
};
