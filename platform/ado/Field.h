#pragma once

#include <QString>
#include <QVariant>

namespace ado {

class Field {
public:
    Field(QString name, QVariant value) : m_name(std::move(name)), m_value(std::move(value)) {}
    const QString& Name() const { return m_name; }
    // SQL NULL is a null QVariant (isNull()).
    const QVariant& Value() const { return m_value; }

private:
    QString m_name;
    QVariant m_value;
};

} // namespace ado
