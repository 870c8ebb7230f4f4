#pragma once

class Connection;

// Keeps the writes of one learner's year apart across every program working
// on the store, until the calling transaction ends: a save that replaces a
// learner's rows waits for another computer's save of the same learner and
// year, then replaces what that one stored, whole. Saves of other learners
// never wait. learnerId 0 stands for the whole year (the year append).
// Runs inside a transaction; waiting past the lock timeout fails as Busy.
void LockLearnerYear(Connection &connection, int learnerId, int dataYear);

// Holds the store's table-creation lock (Connection::lockSchema) for its
// lifetime.
class SchemaChangeLock
{
public:
    explicit SchemaChangeLock(Connection &connection);
    ~SchemaChangeLock();
    SchemaChangeLock(const SchemaChangeLock &) = delete;
    SchemaChangeLock &operator=(const SchemaChangeLock &) = delete;

private:
    Connection &m_connection;
};
