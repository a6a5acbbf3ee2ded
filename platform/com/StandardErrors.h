#pragma once

#include "RuntimeError.h"

namespace com {

// The run-time errors that late binding and object creation raise, with their usual numbers
// and texts, so that every layer reports them alike.
RuntimeError typeMismatch();                            // 13
RuntimeError objectNotSet();                            // 91
RuntimeError cannotCreateObject(const QString& reason); // 429
RuntimeError notSupported(const QString& member = {});  // 438

} // namespace com
