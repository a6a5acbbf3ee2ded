#pragma once

#include "IClassFactory.h"
#include "ModuleCount.h"
#include "Object.h"

#include <functional>

namespace com {

// The class factory of a component library: while it lives, and while a caller holds a server
// lock is held (until the matching unlock, through this factory or another), its module counts
// it, so the library stays loaded.
class ModuleClassFactory : public Object<IClassFactory> {
public:
    ModuleClassFactory(ModuleCount& module, std::function<IUnknown*()> make);

    void* createInstance(const QUuid& iid) override;
    void lockServer(bool lock) override;

private:
    ModuleCount& m_module;
    ModuleCount::Lock m_alive;
    std::function<IUnknown*()> m_make;
};

} // namespace com
