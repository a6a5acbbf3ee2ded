#pragma once

#include "platform/com/RuntimeError.h"

#include <QString>

namespace ado {

// The numbers ADO gives its errors, so that callers that test Err.Number keep working.
namespace error {
constexpr long providerFailed = -2147467259;  // connection and provider failures
constexpr long commandFailed = -2147217900;   // a statement the database refused
constexpr long noTransaction = -2147168242;   // commit or rollback with no transaction open
constexpr long transactionOpen = -2147168237; // a second BeginTrans on one connection
constexpr long noCurrentRecord = 3021;        // a field read at end of file
constexpr long itemNotFound = 3265;           // a field name or position that does not exist
constexpr long objectClosed = 3704;           // a closed recordset

inline com::RuntimeError closedRecordset() {
    return com::RuntimeError(
        QStringLiteral("La operación no se permite: el Recordset está cerrado."), objectClosed);
}

inline com::RuntimeError noCurrentRecordAtEof() {
    return com::RuntimeError(
        QStringLiteral("No hay registro actual: el Recordset está al final (EOF)."),
        noCurrentRecord);
}

inline com::RuntimeError transactionAlreadyOpen() {
    return com::RuntimeError(
        QStringLiteral(
            "Ya hay una transacción abierta en esta conexión: no se puede iniciar otra."),
        transactionOpen);
}

// operation: the call that found no transaction (CommitTrans, RollbackTrans).
inline com::RuntimeError noTransactionOpen(const QString& operation) {
    return com::RuntimeError(
        QStringLiteral("%1: no hay ninguna transacción abierta en esta conexión.").arg(operation),
        noTransaction);
}

// A statement the database refused: its own message, then the statement as the caller built it,
// on one line and cut short when long, so that a message box can show it.
inline com::RuntimeError commandFailure(const QString& message, const QString& sql) {
    QString statement = sql.simplified();
    if (statement.size() > 400)
        statement = statement.left(400) + QStringLiteral("...");
    return com::RuntimeError(message + QStringLiteral("\nSentencia: ") + statement, commandFailed);
}
// A text with a NUL character inside: the databases would cut it there, running something other
// than what was written. Refused before it reaches any of them.
inline com::RuntimeError nulInStatement(const QString& sql) {
    return commandFailure(QStringLiteral("Un valor lleva un carácter nulo (NUL), que la base de "
                                         "datos no guarda; no se ejecuta la sentencia"),
                          QString(sql).replace(QChar(0), QLatin1String("\\0")));
}
} // namespace error

} // namespace ado
