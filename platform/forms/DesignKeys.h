#pragma once

#include <QSet>
#include <QStringList>
#include <QVariantMap>
#include <initializer_list>

namespace forms {

// The design-time keys of one control as its applyDesign reads them. It notes every key asked
// for, so that the runtime can name the keys no one read: a misspelt key in a form's design
// would otherwise change nothing without a word.
class DesignKeys {
public:
    DesignKeys(QVariantMap keys) : m_keys(std::move(keys)) {} // NOLINT: read where a map was

    QVariant value(const QString& key, const QVariant& fallback = {}) const;
    bool contains(const QString& key) const;
    // Keys the control knows and deliberately leaves alone (a look this platform draws its own
    // way): taken as read.
    void ignore(std::initializer_list<const char*> keys) const;
    // Every key, each taken as read: for a control that keeps them all.
    const QVariantMap& all() const;
    // The keys present that nobody asked for, in order.
    QStringList unread() const;

private:
    QVariantMap m_keys;
    mutable QSet<QString> m_read;
};

} // namespace forms
