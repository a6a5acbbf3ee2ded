#pragma once

#include "platform/com/Unknown.h"

#include <QString>
#include <QVariant>

namespace ado {
class Connection;
}

namespace kt512 {

// The suite's system service: connection, operator, parameters and messages.
class ISistema : public com::IUnknown {
public:
    static constexpr QUuid IID{0xE0DA82D4, 0xB8D0, 0x4AD4, 0xBA, 0x04, 0x7C, 0xF5, 0x04, 0xB0, 0xC9, 0x6D};

    // The one shared open connection: the same object on every call.
    virtual ado::Connection& Conexion() = 0;
    virtual QString Usuario() = 0;
    // The parameter's configured value, or valorDefault when it has none.
    virtual QVariant LeerParametro(const QString& nombre, long tipo, const QString& clase,
                                   const QString& valorDefault) = 0;
    // A modal message owned by the window of hWnd; returns when dismissed.
    virtual void MostrarMensaje(const QVariant& texto, long estilo, const QVariant& tituloMensaje,
                                const QVariant& hWnd, const QVariant& modulo,
                                const QVariant& idError) = 0;
};

} // namespace kt512
