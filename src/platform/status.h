#pragma once
// Platform status codes, shaped after COM's HRESULT: only exactly 0 is success.
#include <cstdint>

namespace korvane {

using HResult = std::int32_t;

namespace status {
inline constexpr HResult kOk = 0;     // S_OK
inline constexpr HResult kFalse = 1;  // S_FALSE: a positive status, which the device code treats as failure
inline constexpr HResult kFail = static_cast<HResult>(0x80004005u);          // E_FAIL
inline constexpr HResult kAbort = static_cast<HResult>(0x80004004u);         // E_ABORT
inline constexpr HResult kNoInterface = static_cast<HResult>(0x80004002u);   // E_NOINTERFACE
inline constexpr HResult kPointer = static_cast<HResult>(0x80004003u);       // E_POINTER
inline constexpr HResult kOutOfMemory = static_cast<HResult>(0x8007000Eu);   // E_OUTOFMEMORY
inline constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057u);    // E_INVALIDARG
inline constexpr HResult kNotFound = static_cast<HResult>(0x80070490u);      // ERROR_NOT_FOUND
inline constexpr HResult kSetNotFound = static_cast<HResult>(0x80070492u);   // ERROR_SET_NOT_FOUND
inline constexpr HResult kDeviceNotConnected = static_cast<HResult>(0x8007048Fu);
inline constexpr HResult kInsufficientBuffer = static_cast<HResult>(0x8007007Au);
}  // namespace status

inline constexpr bool Succeeded(HResult hr) { return hr >= 0; }
inline constexpr bool IsExactlyOk(HResult hr) { return hr == status::kOk; }

}  // namespace korvane
