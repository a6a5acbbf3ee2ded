#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <vector>

struct sqlite3_stmt;

namespace ado {

// The prepared statements of one connection by their text, at most `capacity` of them: adding one
// more finalizes the least recently used. Statements are kept reset, so none holds a read or a
// lock between uses.
class StatementCache {
public:
    explicit StatementCache(int capacity = 32);
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // The statement prepared from text, or null. It stays the cache's.
    sqlite3_stmt* find(const QByteArray& text);
    // Takes over a statement prepared from text, which find() did not know.
    void add(const QByteArray& text, sqlite3_stmt* statement);
    // Finalizes every statement.
    void clear();
    int size() const { return static_cast<int>(m_entries.size()); }

private:
    struct Entry {
        QByteArray text;
        sqlite3_stmt* statement;
        quint64 used;
    };

    std::vector<Entry> m_entries;
    int m_capacity;
    quint64 m_clock = 0;
};

} // namespace ado
