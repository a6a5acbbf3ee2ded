#pragma once

#include <atomic>

namespace com {

// The live objects and server locks of one module (a component library): the library may be
// unloaded only while the count is zero. Each module keeps one; its objects hold a Lock.
class ModuleCount {
public:
    void lock() { ++m_count; }
    void unlock() { --m_count; }
    long count() const { return m_count; }

    class Lock {
    public:
        explicit Lock(ModuleCount& count) : m_module(count) { m_module.lock(); }
        ~Lock() { m_module.unlock(); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        ModuleCount& m_module;
    };

private:
    std::atomic<long> m_count{0};
};

} // namespace com
