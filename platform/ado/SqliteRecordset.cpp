#include "SqliteRecordset.h"

#include "Errors.h"

#include <cstring>
#include <sqlite3.h>

namespace ado {

SqliteRecordset::SqliteRecordset(ColumnNames columns) : m_columns(std::move(columns)) {}

void SqliteRecordset::appendRow(sqlite3_stmt* statement) {
    const int n = m_columns.count();
    for (int i = 0; i < n; ++i) {
        Cell cell{};
        cell.type = sqlite3_column_type(statement, i);
        switch (cell.type) {
        case SQLITE_INTEGER:
            cell.integer = sqlite3_column_int64(statement, i);
            break;
        case SQLITE_FLOAT:
            cell.real = sqlite3_column_double(statement, i);
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const void* data = cell.type == SQLITE_TEXT
                                   ? static_cast<const void*>(sqlite3_column_text(statement, i))
                                   : sqlite3_column_blob(statement, i);
            cell.size = sqlite3_column_bytes(statement, i);
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

bool SqliteRecordset::Eof() const {
    return !m_open || m_row >= m_rowCount;
}

void SqliteRecordset::MoveNext() {
    checkCurrent();
    ++m_row;
}

int SqliteRecordset::FieldCount() const {
    return m_open ? m_columns.count() : 0;
}

Field SqliteRecordset::Fields(int index) const {
    checkCurrent();
    m_columns.checkIndex(index);
    return Field(m_columns.at(index), valueAt(index));
}

Field SqliteRecordset::Fields(const QString& name) const {
    checkCurrent();
    const int index = m_columns.indexOf(name);
    return Field(m_columns.at(index), valueAt(index));
}

void SqliteRecordset::Close() {
    m_open = false;
    m_cells = {};
    m_bytes = {};
    m_rowCount = 0;
    m_row = 0;
}

QVariant SqliteRecordset::valueAt(int index) const {
    const Cell& cell = m_cells[static_cast<size_t>(m_row * m_columns.count() + index)];
    switch (cell.type) {
    case SQLITE_INTEGER:
        return QVariant(cell.integer);
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
    if (m_row >= m_rowCount)
        throw error::noCurrentRecordAtEof();
}

} // namespace ado
