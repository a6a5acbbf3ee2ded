#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <vector>

struct sqlite3_stmt;

namespace ado {

// Prepared statements of one connection, each under a key (the shape of the statements it runs),
// at most `capacity` of them: adding one more finalizes the least recently used. Users reset a
// statement after each use, so none holds a read or a lock between uses.
class StatementCache {
public:
    explicit StatementCache(int capacity = 32);
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // The statement kept under key, or null. It stays the cache's.
    sqlite3_stmt* find(const QByteArray& key);
    // Takes over a statement for a key that find() did not know.
    void add(const QByteArray& key, sqlite3_stmt* statement);
    // Finalizes every statement.
    void clear();

private:
    struct Entry {
        QByteArray key;
        sqlite3_stmt* statement;
        quint64 used;
    };

    std::vector<Entry> m_entries;
    int m_capacity;
    quint64 m_clock = 0;
};

} // namespace ado
