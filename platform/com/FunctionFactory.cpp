#include "FunctionFactory.h"

#include "Boundary.h"
#include "Ptr.h"
#include "StandardErrors.h"

namespace com {

FunctionFactory::FunctionFactory(std::function<Ptr<IUnknown>()> make) : m_make(std::move(make)) {}

void* FunctionFactory::createInstance(const QUuid& iid) {
    Ptr<IUnknown> object;
    try {
        object = m_make();
    } catch (...) {
        throw caughtError();
    }
    if (!object)
        throw cannotCreateObject({});
    // The object goes with its first reference when the interface asked for is not offered.
    void* p = object->queryInterface(iid);
    if (!p)
        throw RuntimeError(QStringLiteral("No such interface supported"), 430);
    return p;
}

} // namespace com
