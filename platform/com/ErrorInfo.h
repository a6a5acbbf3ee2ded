#pragma once

#include "RuntimeError.h"

#include <optional>

namespace com {

// The error of the last failed call across a C entry point of a component (an export returns
// only a code): the callee leaves it here and the caller takes it to raise it with its text.
void setErrorInfo(const RuntimeError& error);
std::optional<RuntimeError> takeErrorInfo();
void clearErrorInfo();

} // namespace com
