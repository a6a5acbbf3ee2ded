#pragma once

#include "kt512/services/ISistema.h"
#include "platform/com/Object.h"

#include <QList>
#include <QMap>
#include <QStringList>

namespace ktest {

// A message as the screens pass it to Sistema.MostrarMensaje.
struct Mensaje {
    QString texto;
    long estilo = 0;
    QString titulo;
    qint64 hWnd = 0;
    QString modulo;
    QString idError;
};

// Sistema for screen tests: parameters from a map, messages recorded instead of shown, the
// connection handed in by the test (a real SQLite one when the database is the point).
class FakeSistema : public com::Object<kt512::ISistema> {
public:
    ado::Connection& Conexion() override;
    QString Usuario() override { return usuario; }
    QVariant LeerParametro(const QString& nombre, long tipo, const QString& clase,
                           const QString& valorDefault) override;
    void MostrarMensaje(const QVariant& texto, long estilo, const QVariant& tituloMensaje,
                        const QVariant& hWnd, const QVariant& modulo,
                        const QVariant& idError) override;

    ado::Connection* conexion = nullptr;
    QString usuario = QStringLiteral("PRUEBA");
    QMap<QString, QVariant> parametros;
    QStringList parametrosLeidos;
    QList<Mensaje> mensajes;
};

} // namespace ktest
