#include "SqliteRecordset.h"

#include "Errors.h"
#include "SqliteConnection.h"

#include <sqlite3.h>

namespace ado {

namespace {

// The value of a column of the row the statement stands on. The statement belongs to one
// connection used by one thread, so its values can be read straight, without the locking and
// error bookkeeping of the sqlite3_column_* calls.
inline QVariant columnValue(sqlite3_stmt* statement, int index) {
    sqlite3_value* value = sqlite3_column_value(statement, index);
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_value_int64(value)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(value));
    case SQLITE_TEXT: {
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        return QVariant(QString::fromUtf8(text, sqlite3_value_bytes(value)));
    }
    case SQLITE_BLOB: {
        const char* data = static_cast<const char*>(sqlite3_value_blob(value));
        return QVariant(QByteArray(data, sqlite3_value_bytes(value)));
    }
    default:
        return QVariant();
    }
}

} // namespace

SqliteRecordset::SqliteRecordset(SqliteConnection* owner, sqlite3_stmt* statement, bool rowReady,
                                 ColumnNames columns, QString sql)
    : m_owner(owner), m_statement(statement), m_columns(std::move(columns)), m_sql(std::move(sql)) {
    if (!rowReady)
        release();
}

SqliteRecordset::~SqliteRecordset() {
    release();
}

void SqliteRecordset::detach() {
    if (!m_statement)
        return;
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) {
        appendRow();
        rc = sqlite3_step(m_statement);
    }
    if (rc != SQLITE_DONE)
        m_pendingError = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_statement)));
    release();
}

void SqliteRecordset::appendRow() {
    const int n = m_columns.count();
    for (int i = 0; i < n; ++i) {
        Cell cell{};
        cell.type = sqlite3_column_type(m_statement, i);
        switch (cell.type) {
        case SQLITE_INTEGER:
            cell.integer = sqlite3_column_int64(m_statement, i);
            break;
        case SQLITE_FLOAT:
            cell.real = sqlite3_column_double(m_statement, i);
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const void* data = cell.type == SQLITE_TEXT
                                   ? static_cast<const void*>(sqlite3_column_text(m_statement, i))
                                   : sqlite3_column_blob(m_statement, i);
            cell.size = sqlite3_column_bytes(m_statement, i);
            cell.offset = m_bytes.size();
            if (cell.size > 0)
                m_bytes.append(static_cast<const char*>(data), cell.size);
            break;
        }
        default:
            break;
        }
        m_cells.push_back(cell);
    }
    ++m_rowCount;
}

// Finalizes the statement, if any, and takes this result off its connection's list.
void SqliteRecordset::release() {
    if (!m_statement)
        return;
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
    if (m_owner)
        m_owner->forget(this);
    m_owner = nullptr;
}

bool SqliteRecordset::Eof() const {
    return !m_open || (!m_statement && m_row >= m_rowCount);
}

void SqliteRecordset::MoveNext() {
    checkCurrent();
    if (m_statement) {
        const int rc = sqlite3_step(m_statement);
        if (rc == SQLITE_ROW)
            return;
        const QString failure =
            rc == SQLITE_DONE ? QString()
                              : QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_statement)));
        release();
        if (!failure.isNull())
            throw error::commandFailure(failure, m_sql);
        return;
    }
    ++m_row;
    if (m_row >= m_rowCount && !m_pendingError.isEmpty()) {
        const QString failure = m_pendingError;
        m_pendingError.clear();
        throw error::commandFailure(failure, m_sql);
    }
}

int SqliteRecordset::FieldCount() const {
    return m_open ? m_columns.count() : 0;
}

Field SqliteRecordset::Fields(int index) const {
    // A statement is kept only while it stands on a row: the common case takes one test.
    if (m_statement && static_cast<unsigned>(index) < static_cast<unsigned>(m_columns.count()))
        return Field(m_columns.at(index), columnValue(m_statement, index));
    checkCurrent();
    m_columns.checkIndex(index);
    return Field(m_columns.at(index), valueAt(index));
}

Field SqliteRecordset::Fields(const QString& name) const {
    checkCurrent();
    const int index = m_columns.indexOf(name);
    return Field(m_columns.at(index), valueAt(index));
}

QString SqliteRecordset::FieldName(int index) const {
    if (!m_open)
        throw error::closedRecordset();
    m_columns.checkIndex(index);
    return m_columns.at(index);
}

void SqliteRecordset::Close() {
    release();
    m_open = false;
    m_cells = {};
    m_bytes = {};
    m_rowCount = 0;
    m_row = 0;
    m_pendingError.clear();
}

QVariant SqliteRecordset::valueAt(int index) const {
    if (m_statement)
        return columnValue(m_statement, index);
    const Cell& cell = m_cells[static_cast<size_t>(m_row * m_columns.count() + index)];
    switch (cell.type) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(cell.integer));
    case SQLITE_FLOAT:
        return QVariant(cell.real);
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(m_bytes.constData() + cell.offset, cell.size));
    case SQLITE_BLOB:
        return QVariant(QByteArray(m_bytes.constData() + cell.offset, cell.size));
    default:
        return QVariant();
    }
}

void SqliteRecordset::checkCurrent() const {
    if (!m_open)
        throw error::closedRecordset();
    if (Eof())
        throw error::noCurrentRecordAtEof();
}

} // namespace ado
