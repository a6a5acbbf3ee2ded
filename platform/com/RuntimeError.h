#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace com {

// The one family of run-time errors: what VB calls Err, with its Number and Description.
// Every layer throws it; an error trap is a try/catch around the procedure.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(const QString& description, long number = 5, const QString& source = {});
    ~RuntimeError() override;

    const char* what() const noexcept override;
    const QString& description() const { return m_description; }
    long number() const { return m_number; }
    const QString& source() const { return m_source; }

private:
    QString m_description;
    long m_number;
    QString m_source;
    QByteArray m_what;
};

} // namespace com
