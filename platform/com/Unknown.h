#pragma once

#include <QUuid>

namespace com {

// The root of every object handed across a module boundary. queryInterface returns an
// AddRef'ed pointer to the asked interface, or nullptr when the object does not offer it.
class IUnknown {
public:
    static constexpr QUuid IID{0x00000000, 0x0000, 0x0000, 0xC0, 0x00, 0x00,
                               0x00,       0x00,   0x00,   0x00, 0x46};

    virtual ~IUnknown() = default;
    virtual void* queryInterface(const QUuid& iid) = 0;
    virtual unsigned long addRef() = 0;
    virtual unsigned long release() = 0;
};

} // namespace com
