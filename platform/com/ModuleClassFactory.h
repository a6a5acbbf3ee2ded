#pragma once

#include "FunctionFactory.h"
#include "ModuleCount.h"

namespace com {

// The class factory of a component library: while it lives, and while a caller holds a server
// lock (until the matching unlock, through this factory or another), its module counts it, so
// the library stays loaded.
class ModuleClassFactory : public FunctionFactory {
public:
    ModuleClassFactory(ModuleCount& module, std::function<Ptr<IUnknown>()> make);

    void lockServer(bool lock) override;

private:
    ModuleCount& m_module;
    ModuleCount::Lock m_alive;
};

} // namespace com
