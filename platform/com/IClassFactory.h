#pragma once

#include "Unknown.h"

namespace com {

// Makes the objects of one class. createInstance returns an AddRef'ed pointer to interface iid
// of a new object, or raises RuntimeError (429, "ActiveX component can't create object") when
// it cannot. lockServer keeps the server loaded while a caller holds the lock.
class IClassFactory : public IUnknown {
public:
    static constexpr QUuid IID{0x00000001, 0x0000, 0x0000, 0xC0, 0x00, 0x00,
                               0x00,       0x00,   0x00,   0x00, 0x46};

    virtual void* createInstance(const QUuid& iid) = 0;
    virtual void lockServer(bool lock) = 0;
};

} // namespace com
