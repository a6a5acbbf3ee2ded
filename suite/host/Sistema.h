#pragma once

#include "kt512/services/ISistema.h"
#include "platform/com/Object.h"

#include <memory>

namespace suite {

class HostSession;

// The system service over the session: its connection, operator, the suite parameters and the
// messages. When KESTROVA_MESSAGE_LOG names a file, each message is also appended to it as one
// JSON line {"text","style","title","module","id"}.
class Sistema : public com::Object<kt512::ISistema> {
public:
    explicit Sistema(std::shared_ptr<HostSession> session);
    ~Sistema() override;

    ado::Connection& Conexion() override;
    QString Usuario() override;
    QVariant LeerParametro(const QString& nombre, long tipo, const QString& clase,
                           const QString& valorDefault) override;
    void MostrarMensaje(const QVariant& texto, long estilo, const QVariant& tituloMensaje,
                        const QVariant& hWnd, const QVariant& modulo,
                        const QVariant& idError) override;

private:
    std::shared_ptr<HostSession> m_session;
};

} // namespace suite
