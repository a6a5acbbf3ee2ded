#include "SqlDates.h"

#include "platform/ado/DateValue.h"
#include "platform/com/RuntimeError.h"

namespace suite {

namespace {

void requireValid(const QDateTime& value) {
    if (!value.isValid())
        throw com::RuntimeError(QStringLiteral("Fecha no válida"), 13);
}

} // namespace

QString SqlDates::date(ado::Connection::Dialect dialect, const QDateTime& value) {
    requireValid(value);
    return value.date().toString(dialect == ado::Connection::Dialect::SqlServer
                                     ? QStringLiteral("yyyyMMdd")
                                     : QStringLiteral("yyyy-MM-dd"));
}

QString SqlDates::dateTime(ado::Connection::Dialect dialect, const QDateTime& value) {
    requireValid(value);
    return value.toString(dialect == ado::Connection::Dialect::SqlServer
                              ? QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")
                              : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime SqlDates::serverNow(ado::Connection& connection) {
    QString sql;
    switch (connection.dialect()) {
    case ado::Connection::Dialect::SqlServer:
        sql = QStringLiteral("SELECT GETDATE()");
        break;
    case ado::Connection::Dialect::PostgreSQL:
        sql = QStringLiteral("SELECT LOCALTIMESTAMP(0)");
        break;
    case ado::Connection::Dialect::SQLite:
        sql = QStringLiteral("SELECT datetime('now','localtime')");
        break;
    }
    std::unique_ptr<ado::Recordset> rs = connection.Execute(sql);
    if (rs->Eof())
        throw com::RuntimeError(QStringLiteral("El servidor no devolvió la fecha actual"), 5);
    QDateTime now = ado::toDateTime(rs->Fields(0).Value());
    rs->Close();
    const QTime t = now.time();
    now.setTime(QTime(t.hour(), t.minute(), t.second()));
    return now;
}

} // namespace suite
