#include "ErrorInfo.h"

namespace com {

namespace {

thread_local std::optional<RuntimeError> lastError;

} // namespace

void setErrorInfo(const RuntimeError& error) {
    lastError = error;
}

std::optional<RuntimeError> takeErrorInfo() {
    return std::exchange(lastError, std::nullopt);
}

void clearErrorInfo() {
    lastError.reset();
}

} // namespace com
