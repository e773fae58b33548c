#include "core/History.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace {

// Each step takes the schema from the version before it to its own; a database is brought up
// to date on open, one step at a time, each in its own transaction.
const char *const Steps[History::SchemaVersion] = {
    // 1: one row a run, as the log has it.
    "CREATE TABLE runs (id INTEGER PRIMARY KEY, pupil TEXT NOT NULL, exercise TEXT NOT NULL,"
    " level INTEGER NOT NULL, right INTEGER NOT NULL, wrong INTEGER NOT NULL,"
    " ended TEXT NOT NULL);"
    "CREATE INDEX runs_pupil ON runs (pupil, ended)",
    // 2: each answer of a run, with its time and, for switch users, the scanning it took.
    "CREATE TABLE answers (run INTEGER NOT NULL REFERENCES runs (id) ON DELETE CASCADE,"
    " position INTEGER NOT NULL, ms INTEGER NOT NULL, right INTEGER NOT NULL,"
    " scan_steps INTEGER NOT NULL, scan_loops INTEGER NOT NULL, PRIMARY KEY (run, position))",
};

bool exec(QSqlDatabase &db, const QString &statements)
{
    for (const QString &s : statements.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        QSqlQuery q(db);
        if (!q.exec(s))
            return false;
    }
    return true;
}

int userVersion(QSqlDatabase &db)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("PRAGMA user_version")) && q.next() ? q.value(0).toInt() : -1;
}

QString stamp(const QDateTime &t)
{
    return t.toUTC().toString(Qt::ISODateWithMs);
}

} // namespace

History::History(const QString &path)
    : m_path(path), m_connection(QStringLiteral("history-") + QUuid::createUuid().toString(QUuid::Id128))
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return;
    if (open()) {
        m_state = State::Ready;
        return;
    }
    // Unreadable as a database (damaged, or not one at all): kept for whoever wants to look,
    // and a new history begun. A busy file, or one of a newer program, is left alone.
    if (m_damaged) {
        setAside();
        if (!m_setAside.isEmpty() && open())
            m_state = State::SetAside;
    }
}

History::~History()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool History::open()
{
    QSqlDatabase::removeDatabase(m_connection);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    // Another copy of the program writing waits a moment rather than failing at once.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    m_damaged = false;
    if (!db.open())
        return false;
    QSqlQuery check(db);
    const bool readable = check.exec(QStringLiteral("PRAGMA quick_check")) && check.next() &&
                          check.value(0).toString() == QLatin1String("ok");
    if (!readable) {
        // "file is not a database", a torn page: damaged. Busy or read-only: not ours to move.
        const QString why = check.lastError().text();
        if (!why.contains(QLatin1String("locked"), Qt::CaseInsensitive) &&
            !why.contains(QLatin1String("busy"), Qt::CaseInsensitive))
            m_damaged = true;
        db.close();
        return false;
    }
    exec(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    if (!migrate()) {
        db.close();
        return false;
    }
    return true;
}

bool History::migrate()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const int found = userVersion(db);
    if (found < 0 || found > SchemaVersion)
        return false; // a newer program's history: used by it, not by us
    for (int v = found; v < SchemaVersion; ++v) {
        if (!db.transaction())
            return false;
        if (!exec(db, QString::fromLatin1(Steps[v])) ||
            !exec(db, QStringLiteral("PRAGMA user_version = %1").arg(v + 1)) || !db.commit()) {
            db.rollback();
            return false;
        }
    }
    return true;
}

void History::setAside()
{
    const QString target = m_path + QStringLiteral(".damaged-") +
                           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!QFile::exists(target) && QFile::rename(m_path, target))
        m_setAside = target;
}

bool History::record(const Run &run)
{
    if (m_state == State::Unavailable)
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return false;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO runs (pupil, exercise, level, right, wrong, ended)"
                             " VALUES (?, ?, ?, ?, ?, ?)"));
    for (const QVariant &v : {QVariant(run.pupil), QVariant(run.exercise), QVariant(run.level),
                              QVariant(run.right), QVariant(run.wrong), QVariant(stamp(run.ended))})
        q.addBindValue(v);
    bool ok = q.exec();
    const QVariant id = q.lastInsertId();
    for (int i = 0; ok && i < run.answers.size(); ++i) {
        const Answer &a = run.answers[i];
        QSqlQuery qa(db);
        qa.prepare(QStringLiteral("INSERT INTO answers VALUES (?, ?, ?, ?, ?, ?)"));
        for (const QVariant &v : {id, QVariant(i), QVariant(a.ms), QVariant(a.right ? 1 : 0),
                                  QVariant(a.scanSteps), QVariant(a.scanLoops)})
            qa.addBindValue(v);
        ok = qa.exec();
    }
    if (ok && db.commit())
        return true;
    db.rollback();
    return false;
}

QList<History::Run> History::runs(const QString &pupil, const QDateTime &from, const QDateTime &to) const
{
    QList<Run> out;
    if (m_state == State::Unavailable)
        return out;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT id, exercise, level, right, wrong, ended FROM runs"
                             " WHERE pupil = ? AND ended >= ? AND ended < ? ORDER BY ended, id"));
    q.addBindValue(pupil);
    q.addBindValue(stamp(from));
    q.addBindValue(stamp(to));
    if (!q.exec())
        return out;
    QHash<qint64, qsizetype> index;
    while (q.next()) {
        Run r;
        r.pupil = pupil;
        r.exercise = q.value(1).toString();
        r.level = q.value(2).toInt();
        r.right = q.value(3).toInt();
        r.wrong = q.value(4).toInt();
        r.ended = QDateTime::fromString(q.value(5).toString(), Qt::ISODateWithMs).toLocalTime();
        index.insert(q.value(0).toLongLong(), out.size());
        out.append(r);
    }
    QSqlQuery qa(db);
    qa.setForwardOnly(true);
    // In the index's order, so the answers need no sorting of their own.
    qa.prepare(QStringLiteral("SELECT a.run, a.ms, a.right, a.scan_steps, a.scan_loops FROM runs r"
                              " JOIN answers a ON a.run = r.id WHERE r.pupil = ? AND r.ended >= ?"
                              " AND r.ended < ? ORDER BY r.ended, r.id, a.position"));
    qa.addBindValue(pupil);
    qa.addBindValue(stamp(from));
    qa.addBindValue(stamp(to));
    if (qa.exec()) {
        while (qa.next()) {
            const auto it = index.constFind(qa.value(0).toLongLong());
            if (it != index.constEnd())
                out[*it].answers.append({qa.value(1).toLongLong(), qa.value(2).toInt() != 0,
                                         qa.value(3).toInt(), qa.value(4).toInt()});
        }
    }
    return out;
}

bool History::forget(const QString &pupil)
{
    if (m_state == State::Unavailable)
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM runs WHERE pupil = ?"));
    q.addBindValue(pupil);
    return q.exec();
}

History::Renamed History::rename(const QString &from, const QString &to)
{
    if (m_state == State::Unavailable)
        return Renamed::Failed;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // Two pupils' histories never mix: a name that has one already is the caller's to settle.
    QSqlQuery taken(db);
    taken.prepare(QStringLiteral("SELECT 1 FROM runs WHERE pupil = ? LIMIT 1"));
    taken.addBindValue(to);
    if (!taken.exec())
        return Renamed::Failed;
    if (taken.next())
        return Renamed::Taken;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE runs SET pupil = ? WHERE pupil = ?"));
    q.addBindValue(to);
    q.addBindValue(from);
    return q.exec() ? Renamed::Done : Renamed::Failed;
}
