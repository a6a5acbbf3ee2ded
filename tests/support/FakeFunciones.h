#pragma once

#include "kt512/services/IFunciones.h"
#include "platform/com/Object.h"

#include <QMap>
#include <QStringList>
#include <vector>

namespace ktest {

// Funciones for screen tests: records the SQL text of every list fill and every call by name, in
// order; stored queries and list contents come from what the test sets, lookups give nothing.
class FakeFunciones : public com::Object<kt512::IFunciones> {
public:
    QString ObtenerConsulta(const QString& nombre) override;
    bool LlenarLista(QString sql, forms::ListView& lista, bool encabezados) override;
    QString UltimoError() override;
    QString ObtenerCampo(const QString& tabla, const QString& campoLlave, const QString& llave,
                         const QString& campo, long opcion, const QString& extra1,
                         const QString& extra2, const QString& estadoExcluido) override;
    QDateTime FechaServidor() override;
    QString FormatoFecha(const QDateTime& fecha) override;
    QString FormatoFechaHora(const QDateTime& fecha) override;
    QVariant SiguienteFolio(const QString& sucursal, const QString& tabla, long longitud,
                            long reservar) override;
    QString ObtenerTransaccion(const QString& transaccionPadre, const QString& suite) override;
    void ReiniciarForma(forms::Form& forma, long opcion) override;
    void PrepararForma(forms::Form& forma, long opcion) override;
    void EnviarTeclas(const QString& teclas, long espera) override;

    QStringList llamadas; // every call by operation name, in order
    QMap<QString, QString> consultas;
    QStringList sqlListas; // the text of every LlenarLista
    bool resultadoLlenar = true;
    QString ultimoError = QStringLiteral("error de prueba");
    // What LlenarLista puts in the list when it succeeds.
    QStringList columnas{QStringLiteral("Folio")};
    std::vector<QStringList> filas;
    // Lookups give "", recorded as "Tabla|CampoLlave|Llave|Campo|estadoExcluido".
    QStringList llamadasCampo;
    QDateTime fechaServidor{QDate(2026, 12, 5), QTime(10, 30, 0)};
    int siguienteFolio = 1;
    // Raised from the next call of the named operation, then cleared.
    QString fallarEn;
};

} // namespace ktest
