#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// Every run a pupil makes, kept in one SQLite database in the settings folder, so that a
// teacher can follow progress over weeks. Each run is written in one transaction: a crash
// loses at most the run being written. A damaged database is set aside (renamed, never
// deleted) and a new one begun; one that cannot be used at all leaves the program without
// history rather than failing. Nothing leaves the computer.
class History
{
public:
    struct Answer
    {
        qint64 ms = 0;     // from the exercise appearing to the choice
        bool right = false;
        int scanSteps = 0; // moves of the highlight before the choice (switch users)
        int scanLoops = 0; // full loops among them
        bool operator==(const Answer &) const = default;
    };
    struct Run
    {
        QString pupil;
        QString exercise; // as the log names it
        int level = 1;
        int right = 0;
        int wrong = 0;
        QDateTime ended;
        QList<Answer> answers;
        bool operator==(const Run &) const = default;
    };
    enum class State {
        Ready,
        SetAside,    // the file was damaged: it was renamed, and a new one is in use
        Unavailable, // no history this session (no driver, a locked or newer file, no room)
    };
    static constexpr int SchemaVersion = 2;

    explicit History(const QString &path);
    ~History();
    History(const History &) = delete;
    History &operator=(const History &) = delete;

    State state() const { return m_state; }
    // Where a damaged file was put, when it was.
    QString setAsidePath() const { return m_setAside; }

    // False when the run could not be stored; the database is left as it was.
    bool record(const Run &run);
    // One pupil's runs ended in [from, to), oldest first.
    QList<Run> runs(const QString &pupil, const QDateTime &from, const QDateTime &to) const;
    bool forget(const QString &pupil);
    // Carries a renamed pupil's history along; Taken, changing nothing, when the new name has
    // a history already.
    enum class Renamed { Done, Taken, Failed };
    Renamed rename(const QString &from, const QString &to);

private:
    bool open();
    bool migrate();
    void setAside();

    QString m_path;
    QString m_connection;
    QString m_setAside;
    bool m_damaged = false; // the last open found a file that is not a sound database
    State m_state = State::Unavailable;
};
