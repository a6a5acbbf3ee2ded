#pragma once

#include <QUuid>
#include <cstdint>

// The four entry points of an in-process server library. Results are HRESULT-like: 0 success,
// 1 "no" (DllCanUnloadNow), negative a failure; a failing export may leave its error in
// com::setErrorInfo for the caller.
extern "C" {
long DllGetClassObject(const QUuid* clsid, const QUuid* iid, void** out);
long DllCanUnloadNow();
long DllRegisterServer();
long DllUnregisterServer();
}

namespace com {

using DllGetClassObjectFunction = long (*)(const QUuid*, const QUuid*, void**);
using DllCanUnloadNowFunction = long (*)();
using DllRegisterServerFunction = long (*)();
using DllUnregisterServerFunction = long (*)();

namespace hr {
constexpr long fromCode(std::uint32_t code) {
    return static_cast<std::int32_t>(code);
}
constexpr long Ok = 0;
constexpr long False = 1;
constexpr long NoInterface = fromCode(0x80004002u);
constexpr long Pointer = fromCode(0x80004003u);
constexpr long Fail = fromCode(0x80004005u);
constexpr long ClassNotAvailable = fromCode(0x80040111u);
constexpr long TypeLibraryRegistration = fromCode(0x80040200u);
constexpr long ClassRegistration = fromCode(0x80040201u);
} // namespace hr

} // namespace com
