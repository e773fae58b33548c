#include "log/ProgressWindow.h"

#include "core/AppState.h"
#include "core/Registro.h"
#include "lang/modLanguageSupport.h"
#include "platform/Dialogs.h"
#include "platform/StoredFile.h"
#include "print/PrintService.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const Progress::Period Periods[] = {Progress::Period::FourWeeks, Progress::Period::ThreeMonths,
                                    Progress::Period::Year, Progress::Period::All};
const char *const PeriodKeys[] = {"0226", "0227", "0228", "0229"};

// Black on white, told apart by the line's dash and the point's shape, so a grey print reads.
QLineSeries *line(const QString &name, Qt::PenStyle style)
{
    auto *s = new QLineSeries;
    s->setName(name);
    QPen pen(Qt::black, 2.5, style);
    s->setPen(pen);
    s->setPointsVisible(true);
    return s;
}

qint64 at(QDate day)
{
    return day.startOfDay().toMSecsSinceEpoch();
}

} // namespace

ProgressWindow::ProgressWindow(AppState &state, QWidget *parent, QDate today)
    : QDialog(parent), m_state(state), m_today(today)
{
    setObjectName(QStringLiteral("ProgressWindow"));
    QString titolo = text("0224");
    setWindowTitle(titolo.contains(QLatin1String("%1")) ? titolo.arg(state.NomeUtente) : state.NomeUtente);
    resize(900, 680);

    periodChooser = new QComboBox(this);
    periodChooser->setObjectName(QStringLiteral("periodChooser"));
    for (const char *k : PeriodKeys)
        periodChooser->addItem(text(k));
    exerciseChooser = new QComboBox(this);
    exerciseChooser->setObjectName(QStringLiteral("exerciseChooser"));
    auto *periodLabel = new QLabel(text("0225"), this);
    periodLabel->setBuddy(periodChooser);

    auto chart = [this](const char *name, const QString &title) {
        auto *c = new QChart;
        c->setTitle(title);
        c->legend()->setAlignment(Qt::AlignBottom);
        c->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries); // the dash tells the lines apart
        c->setBackgroundBrush(Qt::white);
        auto *v = new QChartView(c, this);
        v->setObjectName(QString::fromLatin1(name));
        v->setRenderHint(QPainter::Antialiasing);
        v->setMinimumHeight(220);
        return v;
    };
    answersChart = chart("answersChart", text("0230"));
    timeChart = chart("timeChart", text("0232"));
    rightSeries = line(text("0230"), Qt::SolidLine);
    rightSeries->setObjectName(QStringLiteral("rightSeries"));
    levelSeries = line(text("0231"), Qt::DashLine);
    levelSeries->setObjectName(QStringLiteral("levelSeries"));
    timeSeries = line(text("0232"), Qt::SolidLine);
    timeSeries->setObjectName(QStringLiteral("timeSeries"));
    answersChart->chart()->addSeries(rightSeries);
    answersChart->chart()->addSeries(levelSeries);
    timeChart->chart()->addSeries(timeSeries);
    timeChart->chart()->legend()->hide();

    emptyLabel = new QLabel(text("0233"), this);
    emptyLabel->setObjectName(QStringLiteral("emptyLabel"));
    emptyLabel->setAlignment(Qt::AlignCenter);
    QFont big = emptyLabel->font();
    big.setPointSize(14);
    emptyLabel->setFont(big);

    pdfButton = new QPushButton(text("0234"), this);
    pdfButton->setObjectName(QStringLiteral("pdfButton"));
    csvButton = new QPushButton(text("0235"), this);
    csvButton->setObjectName(QStringLiteral("csvButton"));
    auto *close = new QPushButton(QStringLiteral("OK"), this);

    auto *top = new QHBoxLayout;
    top->addWidget(exerciseChooser, 2);
    top->addSpacing(16);
    top->addWidget(periodLabel);
    top->addWidget(periodChooser, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(pdfButton);
    bottom->addWidget(csvButton);
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(emptyLabel);
    layout->addWidget(answersChart, 3);
    layout->addWidget(timeChart, 2);
    layout->addLayout(bottom);

    connect(periodChooser, &QComboBox::activated, this, [this](int i) { choosePeriod(Periods[i]); });
    connect(exerciseChooser, &QComboBox::activated, this, [this](int i) { chooseExercise(i); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { exportPdf(); });
    connect(csvButton, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    choosePeriod(m_period);
}

QString ProgressWindow::text(const char *key) const
{
    return MLSGetString(m_state, QString::fromLatin1(key));
}

QString ProgressWindow::exerciseName(const QString &window) const
{
    for (int i = 0; i < 6; ++i)
        if (window == QLatin1String(Esercizi::Finestre[i]))
            return MLSGetString(m_state, QStringLiteral("%1").arg(Esercizi::PrimaChiaveNome + i, 4, 10, QLatin1Char('0')));
    return window;
}

void ProgressWindow::choosePeriod(Progress::Period period)
{
    m_period = period;
    const auto i = std::find(std::begin(Periods), std::end(Periods), period) - std::begin(Periods);
    periodChooser->setCurrentIndex(int(i));
    QList<History::Run> runs;
    if (History *h = m_state.storia())
        runs = h->runs(m_state.pupilloStoria(), Progress::firstDay(period, m_today).startOfDay(),
                       m_today.addDays(1).startOfDay());
    QStringList order;
    for (const char *f : Esercizi::Finestre)
        order.append(QString::fromLatin1(f));
    m_series = Progress::summarise(runs, Progress::byWeek(period), order);

    const QString chosen = exerciseChooser->currentData().toString();
    exerciseChooser->clear();
    for (const Progress::Series &s : std::as_const(m_series))
        exerciseChooser->addItem(exerciseName(s.exercise), s.exercise);
    exerciseChooser->setCurrentIndex(std::max(0, exerciseChooser->findData(chosen)));
    showExercise();
}

void ProgressWindow::chooseExercise(int index)
{
    exerciseChooser->setCurrentIndex(index);
    showExercise();
}

void ProgressWindow::showExercise()
{
    const int i = exerciseChooser->currentIndex();
    const bool some = i >= 0 && i < m_series.size();
    emptyLabel->setVisible(!some);
    answersChart->setVisible(some);
    timeChart->setVisible(some);
    exerciseChooser->setEnabled(some);
    pdfButton->setEnabled(some);
    csvButton->setEnabled(some);
    QList<QPointF> right, level, time;
    QDate first = m_today, last = m_today;
    double slowest = 1;
    if (some) {
        for (const Progress::Point &p : m_series[i].points) {
            const double x = double(at(p.start));
            if (p.rightPercent() >= 0)
                right.append({x, p.rightPercent()});
            level.append({x, double(p.level)});
            if (p.medianMs >= 0) {
                time.append({x, p.medianMs / 1000.0});
                slowest = std::max(slowest, p.medianMs / 1000.0);
            }
        }
        first = m_series[i].points.first().start;
        last = m_series[i].points.last().start;
    }
    rightSeries->replace(right);
    levelSeries->replace(level);
    timeSeries->replace(time);

    // Axes made afresh: a period of days and one of weeks label their dates differently.
    const bool weeks = Progress::byWeek(m_period);
    auto dates = [&](QChart *c, const QList<QAbstractSeries *> &series) {
        for (QAbstractAxis *a : c->axes())
            c->removeAxis(a), delete a;
        auto *x = new QDateTimeAxis;
        x->setFormat(weeks ? QStringLiteral("dd/MM/yy") : QStringLiteral("dd/MM"));
        // One day's margin each side, so a single point is not drawn on the frame.
        x->setRange(first.addDays(-1).startOfDay(), last.addDays(1).startOfDay());
        x->setTickCount(std::clamp(int(first.daysTo(last) / (weeks ? 7 : 1)) + 3, 3, 9));
        c->addAxis(x, Qt::AlignBottom);
        for (QAbstractSeries *s : series)
            s->attachAxis(x);
    };
    QChart *ac = answersChart->chart();
    dates(ac, {rightSeries, levelSeries});
    auto *percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setLabelFormat(QStringLiteral("%d%%"));
    percent->setTitleText(text("0230"));
    ac->addAxis(percent, Qt::AlignLeft);
    rightSeries->attachAxis(percent);
    auto *levels = new QValueAxis;
    levels->setRange(0, 6);
    levels->setTickCount(7);
    levels->setLabelFormat(QStringLiteral("%d"));
    levels->setTitleText(text("0231"));
    ac->addAxis(levels, Qt::AlignRight);
    levelSeries->attachAxis(levels);

    QChart *tc = timeChart->chart();
    dates(tc, {timeSeries});
    auto *seconds = new QValueAxis;
    seconds->setRange(0, std::ceil(slowest * 1.1));
    seconds->setLabelFormat(QStringLiteral("%.0f s"));
    tc->addAxis(seconds, Qt::AlignLeft);
    timeSeries->attachAxis(seconds);
    if (some)
        tc->setTitle(text("0232"));
    ac->setTitle(some ? exerciseChooser->currentText() : QString());
}

void ProgressWindow::paintPage(QPainter &painter, const QRect &area)
{
    painter.fillRect(area, Qt::white);
    QFont f = painter.font();
    f.setPixelSize(std::max(8, area.height() / 30));
    painter.setFont(f);
    const int line = painter.fontMetrics().height();
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top(), area.width(), line), Qt::AlignLeft,
                     windowTitle() + QStringLiteral(" – ") + periodChooser->currentText() +
                         QStringLiteral(" – ") + QLocale().toString(m_today, QLocale::ShortFormat));
    const int top = area.top() + line * 3 / 2;
    const int h = area.bottom() - top;
    const QRect upper(area.left(), top, area.width(), h * 3 / 5);
    const QRect lower(area.left(), upper.bottom() + line / 2, area.width(), h - upper.height() - line / 2);
    answersChart->render(&painter, upper);
    timeChart->render(&painter, lower);
}

void ProgressWindow::exportPdf()
{
    if (!m_state.printers)
        return;
    LavoroStampa lavoro;
    lavoro.stampante = Printers::nomePdf();
    lavoro.titolo = NomeLavoroStampa(windowTitle());
    lavoro.pagina = {2, QPageSize(QPageSize::A4)};
    const Foglio f = m_state.printers->foglio(lavoro.stampante, lavoro.pagina);
    lavoro.rettangoloMm = QRect(0, 0, std::max(1, f.larghezza), std::max(1, f.altezza));
    lavoro.disegna = [this](QPainter &p, const QRect &r) { paintPage(p, r); };
    const EsitoStampa esito = InviaStampa(m_state, this, lavoro, QStringLiteral("progressi"));
    if (!esito.riuscito)
        m_state.dialogs->message(this, TestoErroreStampa(esito, text("0224").arg(m_state.NomeUtente)),
                                 QStringLiteral("Vorbello"), Dialogs::Icon::Critical);
}

void ProgressWindow::exportCsv()
{
    Dialogs::RichiestaFile richiesta;
    richiesta.apri = false;
    richiesta.filtro = QStringLiteral("*.csv");
    richiesta.estensione = QStringLiteral("csv");
    richiesta.cartella = QDir::homePath();
    const QString path = m_state.dialogs->file(this, richiesta);
    if (path.isEmpty())
        return;
    const QByteArray bytes = Progress::csv(m_series, text("0236").split(QLatin1Char(';')),
                                           [this](const QString &w) { return exerciseName(w); },
                                           QLocale());
    if (!StoredFile::replace(path, bytes))
        m_state.dialogs->message(this, text("0239"), QStringLiteral("Vorbello"), Dialogs::Icon::Critical);
}

// The module's entry: the log window opens the view through it.
extern "C" Q_DECL_EXPORT void vorbello_show_progress(AppState &state, QWidget *parent)
{
    ProgressWindow w(state, parent);
    w.exec();
}
