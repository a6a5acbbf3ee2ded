#include "FunctionFactory.h"

#include "Boundary.h"
#include "Ptr.h"
#include "StandardErrors.h"

namespace com {

FunctionFactory::FunctionFactory(std::function<IUnknown*()> make) : m_make(std::move(make)) {}

void* FunctionFactory::createInstance(const QUuid& iid) {
    IUnknown* made = nullptr;
    try {
        made = m_make();
    } catch (...) {
        throw caughtError();
    }
    if (!made)
        throw cannotCreateObject({});
    // The object's first reference: it goes when the interface asked for is not offered.
    const Ptr<IUnknown> object(made);
    void* p = object->queryInterface(iid);
    if (!p)
        throw RuntimeError(QStringLiteral("No such interface supported"), 430);
    return p;
}

} // namespace com
