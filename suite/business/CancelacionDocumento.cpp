#include "CancelacionDocumento.h"

#include "platform/ado/Connection.h"
#include "platform/ado/SqlText.h"
#include "platform/com/RuntimeError.h"
#include "suite/host/HostSession.h"
#include "suite/host/SqlDates.h"

namespace suite {

namespace {

const QString kCancelado = QStringLiteral("CA");

QString capitalised(const QString& text) {
    return text.isEmpty() ? text : text.left(1).toUpper() + text.mid(1);
}

// Why the document cannot be cancelled, or nothing when it can.
QString rechazo(ado::Connection& connection, const CancelacionDocumento::Documento& documento,
                const QString& folio) {
    std::unique_ptr<ado::Recordset> rs = connection.Execute(
        QStringLiteral("SELECT Es_Cve_Estado FROM ") + documento.tabla + QStringLiteral(" WHERE ") +
        documento.campoFolio + QStringLiteral(" = '") + ado::sqlText(folio) + QStringLiteral("'"));
    if (rs->Eof())
        return QStringLiteral("%1 %2 no existe").arg(capitalised(documento.nombre), folio);
    const QString estado = rs->Fields(0).Value().toString().trimmed();
    rs->Close();
    if (estado == kCancelado)
        return QStringLiteral("%1 %2 ya está cancelada").arg(capitalised(documento.nombre), folio);
    return QString();
}

void marcarCancelado(HostSession& session, const CancelacionDocumento::Documento& documento,
                     const QString& folio) {
    ado::Connection& connection = session.connection();
    const QString ahora = SqlDates::dateTime(connection.dialect(), SqlDates::serverNow(connection));
    connection.Execute(
        QStringLiteral("UPDATE ") + documento.tabla + QStringLiteral(" SET Es_Cve_Estado = '") +
        kCancelado + QStringLiteral("', Oper_Ult_Modif = '") + ado::sqlText(session.usuario()) +
        QStringLiteral("', Fecha_Ult_Modif = '") + ahora + QStringLiteral("' WHERE ") +
        documento.campoFolio + QStringLiteral(" = '") + ado::sqlText(folio) + QStringLiteral("'"));
}

} // namespace

bool CancelacionDocumento::cancelar(HostSession& session, const Documento& documento,
                                    const QString& folio, QString& mensajeError) {
    mensajeError.clear();
    if (folio.trimmed().isEmpty()) {
        mensajeError = QStringLiteral("Falta el folio de %1").arg(documento.nombre);
        return false;
    }
    ado::Connection& connection = session.connection();
    const bool own = !connection.inTransaction();
    try {
        if (own)
            connection.BeginTrans();
        mensajeError = rechazo(connection, documento, folio);
        if (mensajeError.isEmpty())
            marcarCancelado(session, documento, folio);
        if (own) {
            if (mensajeError.isEmpty())
                connection.CommitTrans();
            else
                connection.RollbackTrans();
        }
        return mensajeError.isEmpty();
    } catch (const com::RuntimeError& e) {
        mensajeError = QStringLiteral("No se pudo cancelar %1 %2: %3")
                           .arg(documento.nombre, folio, e.description());
        if (own && connection.inTransaction()) {
            try {
                connection.RollbackTrans();
            } catch (const com::RuntimeError& rollback) {
                qWarning("Rollback after a failed cancellation failed too: %s", rollback.what());
            }
        }
        return false;
    }
}

} // namespace suite
