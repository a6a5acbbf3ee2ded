#include "ModuleClassFactory.h"

namespace com {

ModuleClassFactory::ModuleClassFactory(ModuleCount& module, std::function<Ptr<IUnknown>()> make)
    : FunctionFactory(std::move(make)), m_module(module), m_alive(module) {}

void ModuleClassFactory::lockServer(bool lock) {
    if (lock)
        m_module.lock();
    else
        m_module.unlock();
}

} // namespace com
