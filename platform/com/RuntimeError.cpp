#include "RuntimeError.h"

namespace com {

RuntimeError::RuntimeError(const QString& description, long number, const QString& source)
    : m_description(description), m_number(number), m_source(source), m_what(description.toUtf8()) {
}

RuntimeError::~RuntimeError() = default;

const char* RuntimeError::what() const noexcept {
    return m_what.constData();
}

} // namespace com
