#pragma once

#include "IClassFactory.h"
#include "Object.h"
#include "RuntimeError.h"

#include <functional>

namespace com {

// A class factory around a function that makes one new object (with no reference taken yet).
class FunctionFactory : public Object<IClassFactory> {
public:
    explicit FunctionFactory(std::function<IUnknown*()> make) : m_make(std::move(make)) {}

    void* createInstance(const QUuid& iid) override {
        IUnknown* object = m_make();
        if (!object)
            throw RuntimeError(QStringLiteral("ActiveX component can't create object"), 429);
        object->addRef();
        void* p = object->queryInterface(iid);
        object->release();
        if (!p)
            throw RuntimeError(QStringLiteral("No such interface supported"), 430);
        return p;
    }
    void lockServer(bool lock) override { m_locks += lock ? 1 : -1; }
    int locks() const { return m_locks; }

private:
    std::function<IUnknown*()> m_make;
    int m_locks = 0;
};

} // namespace com
