#include "DesignKeys.h"

namespace forms {

QVariant DesignKeys::value(const QString& key, const QVariant& fallback) const {
    m_read.insert(key);
    return m_keys.value(key, fallback);
}

bool DesignKeys::contains(const QString& key) const {
    m_read.insert(key);
    return m_keys.contains(key);
}

void DesignKeys::ignore(std::initializer_list<const char*> keys) const {
    for (const char* key : keys)
        m_read.insert(QLatin1String(key));
}

const QVariantMap& DesignKeys::all() const {
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it)
        m_read.insert(it.key());
    return m_keys;
}

QStringList DesignKeys::unread() const {
    QStringList keys;
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it)
        if (!m_read.contains(it.key()))
            keys << it.key();
    return keys;
}

} // namespace forms
