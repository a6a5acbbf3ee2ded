#include "Sistema.h"

#include "HostSession.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlText.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/Messages.h"

namespace suite {

Sistema::Sistema(std::shared_ptr<HostSession> session) : m_session(std::move(session)) {}

Sistema::~Sistema() = default;

ado::Connection& Sistema::Conexion() {
    return m_session->connection();
}

QString Sistema::Usuario() {
    return m_session->usuario();
}

QVariant Sistema::LeerParametro(const QString& nombre, long, const QString&,
                                const QString& valorDefault) {
    std::unique_ptr<ado::Recordset> rs;
    try {
        rs = m_session->connection().Execute(
            QStringLiteral("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = '") +
            ado::sqlText(nombre) + QStringLiteral("'"));
    } catch (const com::RuntimeError& e) {
        throw com::RuntimeError(
            QStringLiteral("No se pudo leer el parámetro %1: %2").arg(nombre, e.description()),
            e.number());
    }
    if (rs->Eof())
        return valorDefault;
    const QVariant valor = rs->Fields(0).Value();
    rs->Close();
    // A blank value is no configuration at all: a blank format or period would break the screens.
    if (valor.isNull() || valor.toString().trimmed().isEmpty())
        return valorDefault;
    return valor.toString();
}

void Sistema::MostrarMensaje(const QVariant& texto, long estilo, const QVariant& tituloMensaje,
                             const QVariant& hWnd, const QVariant& modulo,
                             const QVariant& idError) {
    const forms::Message message{texto.toString(),         estilo,
                                 tituloMensaje.toString(), hWnd.toLongLong(),
                                 modulo.toString(),        idError.toString()};
    forms::showMessage(message, m_session->presenter());
}

} // namespace suite
