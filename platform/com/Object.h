#pragma once

#include "Ptr.h"
#include "Unknown.h"

#include <atomic>
#include <cstddef>
#include <type_traits>
#include <utility>

namespace com {

// Reference counting and QueryInterface for a class implementing the given interfaces. An
// interface is found by its own IID; a class that also answers for a base interface (IControl
// below ListView, say) overrides queryExtra. The object deletes itself on the last release.
// Only newObject creates one: a plain `new` does not compile, so no object starts life without
// an owner.
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

    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void operator delete(void* p) { ::operator delete(p); }

private:
    template <class T, class... Args> friend Ptr<T> newObject(Args&&...);

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

// Creates an object; the pointer returned holds its first reference.
template <class T, class... Args> Ptr<T> newObject(Args&&... args) {
    T* p = new T(std::forward<Args>(args)...);
    p->addRef();
    return Ptr<T>::adopt(p);
}

} // namespace com
