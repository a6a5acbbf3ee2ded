#include "FakeFunciones.h"

#include "platform/com/RuntimeError.h"
#include "platform/forms/ListView.h"

namespace ktest {

namespace {
// Records the call, and raises the failure the test asked of this operation.
void llamada(FakeFunciones& f, const QString& operacion) {
    f.llamadas << operacion;
    if (f.fallarEn == operacion) {
        f.fallarEn.clear();
        throw com::RuntimeError(QStringLiteral("Falla provocada en ") + operacion, 5);
    }
}
} // namespace

QString FakeFunciones::ObtenerConsulta(const QString& nombre) {
    llamada(*this, QStringLiteral("ObtenerConsulta"));
    if (!consultas.contains(nombre))
        throw com::RuntimeError(QStringLiteral("No existe la consulta ") + nombre, 5);
    return consultas.value(nombre);
}

bool FakeFunciones::LlenarLista(QString sql, forms::ListView& lista, bool) {
    llamada(*this, QStringLiteral("LlenarLista"));
    sqlListas << sql;
    if (!resultadoLlenar)
        return false;
    lista.setContent(columnas, filas);
    return true;
}

QString FakeFunciones::UltimoError() {
    llamada(*this, QStringLiteral("UltimoError"));
    return ultimoError;
}

QString FakeFunciones::ObtenerCampo(const QString& tabla, const QString& campoLlave,
                                    const QString& llave, const QString& campo, long,
                                    const QString&, const QString&, const QString& estadoExcluido) {
    llamada(*this, QStringLiteral("ObtenerCampo"));
    llamadasCampo << QStringList{tabla, campoLlave, llave, campo, estadoExcluido}.join('|');
    return QString();
}

QDateTime FakeFunciones::FechaServidor() {
    llamada(*this, QStringLiteral("FechaServidor"));
    return fechaServidor;
}

QString FakeFunciones::FormatoFecha(const QDateTime& fecha) {
    llamada(*this, QStringLiteral("FormatoFecha"));
    return fecha.toString(QStringLiteral("yyyy-MM-dd"));
}

QString FakeFunciones::FormatoFechaHora(const QDateTime& fecha) {
    llamada(*this, QStringLiteral("FormatoFechaHora"));
    return fecha.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant FakeFunciones::SiguienteFolio(const QString&, const QString&, long longitud, long) {
    llamada(*this, QStringLiteral("SiguienteFolio"));
    return QString::number(siguienteFolio++).rightJustified(int(longitud), QLatin1Char('0'));
}

QString FakeFunciones::ObtenerTransaccion(const QString& transaccionPadre, const QString& suite) {
    llamada(*this, QStringLiteral("ObtenerTransaccion"));
    return transaccionPadre + QLatin1Char('/') + suite;
}

void FakeFunciones::ReiniciarForma(forms::Form&, long) {
    llamada(*this, QStringLiteral("ReiniciarForma"));
}

void FakeFunciones::PrepararForma(forms::Form&, long) {
    llamada(*this, QStringLiteral("PrepararForma"));
}

void FakeFunciones::EnviarTeclas(const QString&, long) {
    llamada(*this, QStringLiteral("EnviarTeclas"));
}

} // namespace ktest
