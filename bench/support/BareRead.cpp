#include "BareRead.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QStringList>
#include <memory>
#include <vector>

namespace suite::bench {

size_t bareRead(ado::Connection& connection, const QString& sql) {
    std::unique_ptr<ado::Recordset> rs = connection.Execute(sql);
    const int n = rs->FieldCount();
    std::vector<QStringList> rows;
    for (; !rs->Eof(); rs->MoveNext()) {
        QStringList row;
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row << rs->Fields(i).Value().toString();
        rows.push_back(std::move(row));
    }
    return rows.size();
}

} // namespace suite::bench
