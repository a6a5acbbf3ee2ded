#pragma once

#include <memory>

namespace suite::bench {

// What a benchmark program builds once, on first use, and drops by reset() before its application
// object goes, since its windows need that object.
template <class T> class LazyData {
public:
    T& get() {
        if (!m_value)
            m_value = std::make_unique<T>();
        return *m_value;
    }
    void reset() { m_value.reset(); }

private:
    std::unique_ptr<T> m_value;
};

} // namespace suite::bench
