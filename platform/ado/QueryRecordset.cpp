#include "QueryRecordset.h"

#include "Errors.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace ado {

namespace {

// A decimal's text without the zeros its scale pads it with: a number when a number reads back
// as that same text, else the text with all its digits.
QVariant decimal(const QVariant& value) {
    if (value.typeId() != QMetaType::QString)
        return value;
    QString text = value.toString();
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    bool ok = false;
    if (!text.contains(QLatin1Char('.'))) {
        const qlonglong whole = text.toLongLong(&ok);
        if (ok && QString::number(whole) == text)
            return whole;
        return text;
    }
    const QVariant number(text.toDouble(&ok));
    return ok && number.toString() == text ? number : QVariant(text);
}

} // namespace

QueryRecordset::QueryRecordset() = default;

std::unique_ptr<QueryRecordset>
QueryRecordset::readAll(QSqlQuery& query, bool exactDecimals,
                        const std::function<QVariant(int column)>& storedText) {
    auto result = std::make_unique<QueryRecordset>();
    const QSqlRecord record = query.record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    result->m_columns = ColumnNames(names);
    result->m_open = true;
    enum class Read { Plain, Decimal, StoredText };
    std::vector<Read> reads(size_t(record.count()), Read::Plain);
    for (int i = 0; i < record.count(); ++i) {
        const int type = record.field(i).metaType().id();
        if (exactDecimals && type == QMetaType::Double)
            reads[size_t(i)] = Read::Decimal;
        else if (storedText && (type == QMetaType::QDateTime || type == QMetaType::QDate ||
                                type == QMetaType::QTime))
            reads[size_t(i)] = Read::StoredText;
    }
    while (query.next()) {
        for (int i = 0; i < record.count(); ++i) {
            const QVariant value = query.value(i);
            switch (reads[size_t(i)]) {
            case Read::Plain:
                result->m_values.push_back(value);
                break;
            case Read::Decimal:
                result->m_values.push_back(decimal(value));
                break;
            case Read::StoredText:
                result->m_values.push_back(storedText(i));
                break;
            }
        }
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
