#include "ModuleClassFactory.h"

#include "StandardErrors.h"

namespace com {

ModuleClassFactory::ModuleClassFactory(ModuleCount& module, std::function<IUnknown*()> make)
    : m_module(module), m_alive(module), m_make(std::move(make)) {}

void* ModuleClassFactory::createInstance(const QUuid& iid) {
    IUnknown* object = m_make();
    if (!object)
        throw cannotCreateObject({});
    object->addRef();
    void* p = object->queryInterface(iid);
    object->release();
    if (!p)
        throw RuntimeError(QStringLiteral("No such interface supported"), 430);
    return p;
}

void ModuleClassFactory::lockServer(bool lock) {
    if (lock)
        m_module.lock();
    else
        m_module.unlock();
}

} // namespace com
