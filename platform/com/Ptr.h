#pragma once

#include "RuntimeError.h"
#include "Unknown.h"

#include <QMetaType>
#include <type_traits>
#include <utility>

namespace com {

class Runtime;
template <class T> class Ptr;
template <class T, class... Args> Ptr<T> newObject(Args&&... args);

// A counted reference to an interface T (T declares `static constexpr QUuid IID`).
template <class T> class Ptr {
public:
    Ptr() = default;
    Ptr(std::nullptr_t) {}
    // Adds a reference of its own.
    explicit Ptr(T* p) : m_p(p) {
        if (m_p)
            m_p->addRef();
    }
    Ptr(const Ptr& o) : Ptr(o.m_p) {}
    Ptr(Ptr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    // The same reference as a base interface.
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ptr(Ptr<U> o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    Ptr& operator=(Ptr o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }
    ~Ptr() {
        if (m_p)
            m_p->release();
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    bool operator==(const Ptr& o) const { return m_p == o.m_p; }
    bool operator!=(const Ptr& o) const { return m_p != o.m_p; }

    // QueryInterface: an empty Ptr when the object does not offer U.
    template <class U> Ptr<U> query() const {
        if (!m_p)
            return {};
        return Ptr<U>::adopt(static_cast<U*>(m_p->queryInterface(U::IID)));
    }
    // QueryInterface that raises "Type mismatch" (VB error 13) when U is not offered.
    template <class U> Ptr<U> as() const {
        Ptr<U> r = query<U>();
        if (!r)
            throw RuntimeError(QStringLiteral("Type mismatch"), 13);
        return r;
    }

private:
    template <class> friend class Ptr;
    friend class Runtime;
    template <class U, class... Args> friend Ptr<U> newObject(Args&&...);

    // Takes over a reference the caller already owns. Only what hands out such references
    // (queryInterface, a factory, newObject) may: anywhere else a missed reference leaks.
    static Ptr adopt(T* p) {
        Ptr r;
        r.m_p = p;
        return r;
    }

    T* m_p = nullptr;
};

} // namespace com

// An object reference inside a Variant.
Q_DECLARE_METATYPE(com::Ptr<com::IUnknown>)
