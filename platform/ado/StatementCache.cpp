#include "StatementCache.h"

#include <algorithm>
#include <sqlite3.h>

namespace ado {

StatementCache::StatementCache(int capacity) : m_capacity(std::max(capacity, 1)) {
    m_entries.reserve(size_t(m_capacity));
}

StatementCache::~StatementCache() {
    clear();
}

sqlite3_stmt* StatementCache::find(const QByteArray& key) {
    // A few dozen entries: comparing lengths first rules out nearly all of them at once.
    for (Entry& entry : m_entries) {
        if (entry.key == key) {
            entry.used = ++m_clock;
            return entry.statement;
        }
    }
    return nullptr;
}

void StatementCache::add(const QByteArray& key, sqlite3_stmt* statement) {
    if (int(m_entries.size()) >= m_capacity) {
        const auto oldest =
            std::min_element(m_entries.begin(), m_entries.end(),
                             [](const Entry& a, const Entry& b) { return a.used < b.used; });
        sqlite3_finalize(oldest->statement);
        m_entries.erase(oldest);
    }
    m_entries.push_back({key, statement, ++m_clock});
}

void StatementCache::clear() {
    for (const Entry& entry : m_entries)
        sqlite3_finalize(entry.statement);
    m_entries.clear();
}

} // namespace ado
