#include "QueryRecordset.h"

#include "Errors.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace ado {

QueryRecordset::QueryRecordset() = default;

std::unique_ptr<QueryRecordset> QueryRecordset::readAll(QSqlQuery& query) {
    auto result = std::make_unique<QueryRecordset>();
    const QSqlRecord record = query.record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    result->m_columns = ColumnNames(names);
    result->m_open = true;
    while (query.next()) {
        for (int i = 0; i < record.count(); ++i)
            result->m_values.push_back(query.value(i));
        ++result->m_rowCount;
    }
    if (query.lastError().isValid())
        throw com::RuntimeError(query.lastError().text(), error::commandFailed);
    return result;
}

bool QueryRecordset::Eof() const {
    return !m_open || m_row >= m_rowCount;
}

void QueryRecordset::MoveNext() {
    checkCurrent();
    ++m_row;
}

int QueryRecordset::FieldCount() const {
    return m_open ? m_columns.count() : 0;
}

Field QueryRecordset::Fields(int index) const {
    checkCurrent();
    m_columns.checkIndex(index);
    return Field(m_columns.at(index),
                 m_values[static_cast<size_t>(m_row * m_columns.count() + index)]);
}

Field QueryRecordset::Fields(const QString& name) const {
    checkCurrent();
    const int index = m_columns.indexOf(name);
    return Field(m_columns.at(index),
                 m_values[static_cast<size_t>(m_row * m_columns.count() + index)]);
}

QString QueryRecordset::FieldName(int index) const {
    if (!m_open)
        throw error::closedRecordset();
    m_columns.checkIndex(index);
    return m_columns.at(index);
}

void QueryRecordset::Close() {
    m_open = false;
    m_values = {};
    m_rowCount = 0;
    m_row = 0;
}

void QueryRecordset::checkCurrent() const {
    if (!m_open)
        throw error::closedRecordset();
    if (m_row >= m_rowCount)
        throw error::noCurrentRecordAtEof();
}

} // namespace ado
