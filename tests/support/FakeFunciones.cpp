#include "FakeFunciones.h"

#include "platform/com/RuntimeError.h"
#include "platform/forms/ListView.h"

namespace ktest {

namespace {
void fallaSiToca(QString& fallarEn, const QString& operacion) {
    if (fallarEn == operacion) {
        fallarEn.clear();
        throw com::RuntimeError(QStringLiteral("Falla provocada en ") + operacion, 5);
    }
}
} // namespace

QString FakeFunciones::ObtenerConsulta(const QString& nombre) {
    llamadas << QStringLiteral("ObtenerConsulta");
    fallaSiToca(fallarEn, QStringLiteral("ObtenerConsulta"));
    if (!consultas.contains(nombre))
        throw com::RuntimeError(QStringLiteral("No existe la consulta ") + nombre, 5);
    return consultas.value(nombre);
}

bool FakeFunciones::LlenarLista(QString sql, forms::ListView& lista, bool) {
    llamadas << QStringLiteral("LlenarLista");
    fallaSiToca(fallarEn, QStringLiteral("LlenarLista"));
    sqlListas << sql;
    if (!resultadoLlenar)
        return false;
    lista.setContent(columnas, filas);
    return true;
}

QString FakeFunciones::UltimoError() {
    llamadas << QStringLiteral("UltimoError");
    return ultimoError;
}

QString FakeFunciones::ObtenerCampo(const QString& tabla, const QString& campoLlave,
                                    const QString& llave, const QString& campo, long,
                                    const QString&, const QString&, const QString& estadoExcluido) {
    llamadas << QStringLiteral("ObtenerCampo");
    fallaSiToca(fallarEn, QStringLiteral("ObtenerCampo"));
    llamadasCampo << QStringList{tabla, campoLlave, llave, campo, estadoExcluido}.join('|');
    return QString();
}

QDateTime FakeFunciones::FechaServidor() {
    llamadas << QStringLiteral("FechaServidor");
    return fechaServidor;
}

QString FakeFunciones::FormatoFecha(const QDateTime& fecha) {
    llamadas << QStringLiteral("FormatoFecha");
    fallaSiToca(fallarEn, QStringLiteral("FormatoFecha"));
    return fecha.toString(QStringLiteral("yyyy-MM-dd"));
}

QString FakeFunciones::FormatoFechaHora(const QDateTime& fecha) {
    llamadas << QStringLiteral("FormatoFechaHora");
    return fecha.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant FakeFunciones::SiguienteFolio(const QString&, const QString&, long longitud, long) {
    llamadas << QStringLiteral("SiguienteFolio");
    fallaSiToca(fallarEn, QStringLiteral("SiguienteFolio"));
    return QString::number(siguienteFolio++).rightJustified(int(longitud), QLatin1Char('0'));
}

QString FakeFunciones::ObtenerTransaccion(const QString& transaccionPadre, const QString& suite) {
    llamadas << QStringLiteral("ObtenerTransaccion");
    return transaccionPadre + QLatin1Char('/') + suite;
}

void FakeFunciones::ReiniciarForma(forms::Form&, long) {
    llamadas << QStringLiteral("ReiniciarForma");
}

void FakeFunciones::PrepararForma(forms::Form&, long) {
    llamadas << QStringLiteral("PrepararForma");
}

void FakeFunciones::EnviarTeclas(const QString&, long) {
    llamadas << QStringLiteral("EnviarTeclas");
}

} // namespace ktest
