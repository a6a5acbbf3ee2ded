#pragma once

#include "platform/ado/Connection.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <QVariant>

namespace ktest {

// One row of a recorded answer: column names with their values, in column order.
using Fila = QList<QPair<QString, QVariant>>;

// A connection that keeps every statement it is given, and the transaction steps as "BEGIN",
// "COMMIT" and "ROLLBACK", answering each SELECT with the rows the test put in filas.
class ConexionGrabada : public ado::Connection {
public:
    std::unique_ptr<ado::Recordset> Execute(const QString& sql, long* recordsAffected) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool inTransaction() const override { return m_transaccion; }
    Dialect dialect() const override { return Dialect::SqlServer; }
    QSqlDatabase database() const override;

    // The statements on trips and the transaction steps, without the filter boxes' lookups.
    QStringList sentenciasDelViaje() const;

    QStringList sentencias;
    QList<Fila> filas;
    // A statement containing this text raises, as a database error would.
    QString fallarCon;

private:
    bool m_transaccion = false;
};

} // namespace ktest
