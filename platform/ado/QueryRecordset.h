#pragma once

#include "ColumnNames.h"
#include "Recordset.h"

#include <QVariant>
#include <functional>
#include <vector>

class QSqlQuery;

namespace ado {

// The rows of a SELECT run through Qt SQL, read in full when the statement runs; also the
// closed, empty recordset that statements other than a SELECT give.
class QueryRecordset final : public Recordset {
public:
    // A closed recordset with no fields.
    QueryRecordset();
    // Read every row of an active query, forward only; a failure while fetching is raised.
    // exactDecimals: the query reads decimals as text (QSql::HighPrecision); they come back as
    // the embedded database gives them, a number where a double holds them exactly and the text
    // with all its digits otherwise.
    // storedText, when given, reads a date or time column's cell of the current row again as
    // the text the database keeps, for a driver that turns text it cannot read as a date into
    // NULL.
    static std::unique_ptr<QueryRecordset>
    readAll(QSqlQuery& query, bool exactDecimals = false,
            const std::function<QVariant(int column)>& storedText = {});

    bool Eof() const override;
    void MoveNext() override;
    int FieldCount() const override;
    Field Fields(int index) const override;
    Field Fields(const QString& name) const override;
    QString FieldName(int index) const override;
    void Close() override;

private:
    void checkCurrent() const;

    ColumnNames m_columns;
    std::vector<QVariant> m_values;
    qsizetype m_rowCount = 0;
    qsizetype m_row = 0;
    bool m_open = false;
};

} // namespace ado
