#pragma once

#include "RuntimeError.h"

#include <functional>

namespace com {

// Where the application's code meets a caller that cannot take a C++ exception (an export, the
// event loop, the start of the process), every exception becomes the runtime's error.

// Inside a catch block: the exception in flight as a RuntimeError. A RuntimeError passes
// unchanged, another std::exception keeps its text, and anything else becomes error 51.
RuntimeError caughtError();

// Runs the work of an exported function. An error of any kind is logged, left for the caller
// (setErrorInfo) and answered with failure (hr::Fail) instead of leaving the library.
long guardExport(const char* exportName, const std::function<long()>& work);

} // namespace com
