#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Ptr.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace kt512 {

// The screen contract that the board, the filter dialog and the rescheduling screen offer their
// host: Padre, the host's screen object, and Transaccion, derived from it on every read.
class ContratoPantalla {
public:
    virtual ~ContratoPantalla();

    com::Ptr<com::IDispatch> Padre() const { return m_padre; }
    virtual void setPadre(com::Ptr<com::IDispatch> valor) { m_padre = std::move(valor); }
    // Reads the parent's late-bound "Transaccion" and asks Funciones for this screen's code.
    // Raises when no parent is set or the parent has no such member.
    QString Transaccion() const;

    // The contract's late-bound members for a screen's invokeMember: Padre (also under alias,
    // when the screen's host knows it by another name) read and set, and Transaccion read.
    // Nothing for any other member or way of calling.
    std::optional<QVariant> miembroDelContrato(const QString& name, com::InvokeKind kind,
                                               QVariantList& args, QLatin1String alias = {});
    // The names of those members, alias aside.
    static QStringList miembrosDelContrato();

private:
    com::Ptr<com::IDispatch> m_padre;
};

} // namespace kt512
