#pragma once

#include "IClassFactory.h"
#include "Object.h"

#include <functional>

namespace com {

// A class factory around a function that makes one new object (newObject, as an IUnknown).
// Whatever the function throws leaves createInstance as a RuntimeError.
class FunctionFactory : public Object<IClassFactory> {
public:
    explicit FunctionFactory(std::function<Ptr<IUnknown>()> make);

    void* createInstance(const QUuid& iid) override;
    void lockServer(bool lock) override { m_locks += lock ? 1 : -1; }
    int locks() const { return m_locks; }

private:
    std::function<Ptr<IUnknown>()> m_make;
    int m_locks = 0;
};

} // namespace com
