#include "FakeSistema.h"

#include "platform/com/RuntimeError.h"

namespace ktest {

ado::Connection& FakeSistema::Conexion() {
    if (!conexion)
        throw com::RuntimeError(QStringLiteral("No hay conexión en esta prueba"), 3704);
    return *conexion;
}

QVariant FakeSistema::LeerParametro(const QString& nombre, long, const QString&,
                                    const QString& valorDefault) {
    parametrosLeidos << nombre;
    return parametros.value(nombre, valorDefault);
}

void FakeSistema::MostrarMensaje(const QVariant& texto, long estilo, const QVariant& tituloMensaje,
                                 const QVariant& hWnd, const QVariant& modulo,
                                 const QVariant& idError) {
    mensajes << Mensaje{texto.toString(),         estilo,
                        tituloMensaje.toString(), hWnd.toLongLong(),
                        modulo.toString(),        idError.toString()};
}

} // namespace ktest
