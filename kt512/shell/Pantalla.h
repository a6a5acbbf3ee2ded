#pragma once

#include "IPantalla.h"
#include "platform/com/ModuleCount.h"
#include "platform/com/Object.h"

namespace kt512 {

// The component's public class: the host creates it to reach the trip board and the module
// name. Any number may exist; all hand out the one board. Each one keeps its module loaded.
class Pantalla : public com::Object<IPantalla> {
public:
    explicit Pantalla(com::ModuleCount& modulo);

    QVariant GetPantalla() override;
    QVariant Modulo() override;

    int idOfName(const QString& name) override;
    QVariant invoke(int dispId, com::InvokeKind kind, QVariantList& args) override;

protected:
    void* queryExtra(const QUuid& iid) override;

private:
    com::ModuleCount::Lock m_vivo;
};

} // namespace kt512
