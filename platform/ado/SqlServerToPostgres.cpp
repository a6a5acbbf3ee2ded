#include "SqlServerToPostgres.h"

#include "SqlServerForms.h"

namespace ado {

QString SqlServerToPostgres::translate(const QString& sql) {
    // A date and a text both go through text: a timestamp casts to 'yyyy-mm-dd hh:mi:ss' and back.
    static const SqlServerForms postgres{
        "COALESCE", true,
        "COALESCE(to_char(CAST(NULLIF(CAST(%1 AS VARCHAR), '') AS TIMESTAMP), 'HH24:MI:SS'), "
        "CASE WHEN CAST(%1 AS VARCHAR) = '' THEN '00:00:00' END)"};
    return translateSqlServer(sql, postgres);
}

} // namespace ado
