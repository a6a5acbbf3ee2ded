#pragma once

#include "Unknown.h"

#include <atomic>
#include <type_traits>
#include <utility>

namespace com {

// Reference counting and QueryInterface for a class implementing the given interfaces. An
// interface is found by its own IID; a class that also answers for a base interface (IControl
// below ListView, say) overrides queryExtra. The object deletes itself on the last release.
template <class First, class... Rest> class Object : public First, public Rest... {
public:
    void* queryInterface(const QUuid& iid) override {
        void* p = nullptr;
        if (iid == IUnknown::IID)
            p = static_cast<IUnknown*>(static_cast<First*>(this));
        else
            p = find<First, Rest...>(iid);
        if (!p)
            p = queryExtra(iid);
        if (p)
            addRef();
        return p;
    }
    unsigned long addRef() override { return ++m_refs; }
    unsigned long release() override {
        const unsigned long r = --m_refs;
        if (r == 0)
            delete this;
        return r;
    }

protected:
    Object() = default;
    virtual ~Object() = default;
    virtual void* queryExtra(const QUuid&) { return nullptr; }

private:
    template <class I, class... More> void* find(const QUuid& iid) {
        if (iid == I::IID)
            return static_cast<I*>(this);
        if constexpr (sizeof...(More) > 0)
            return find<More...>(iid);
        else
            return nullptr;
    }

    std::atomic<unsigned long> m_refs{0};
};

// Creates an object and hands back its first counted reference.
template <class T, class... Args> T* make(Args&&... args) {
    T* p = new T(std::forward<Args>(args)...);
    p->addRef();
    return p;
}

} // namespace com
