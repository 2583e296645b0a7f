#pragma once
#include <cstdint>

/// Status codes returned by every component call, with the Windows values. Negative means
/// failure; S_FALSE is a success that answers "no".
/// @since 3.5
using HRESULT = std::int32_t;

constexpr HRESULT makeHResult(std::uint32_t bits) { return static_cast<HRESULT>(bits); }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = makeHResult(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = makeHResult(0x80004002);
inline constexpr HRESULT E_POINTER = makeHResult(0x80004003);
inline constexpr HRESULT E_FAIL = makeHResult(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = makeHResult(0x8000FFFF);
inline constexpr HRESULT E_OUTOFMEMORY = makeHResult(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = makeHResult(0x80070057);
inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = makeHResult(0x80020001);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = makeHResult(0x80020003);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = makeHResult(0x80020005);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = makeHResult(0x80020006);
inline constexpr HRESULT DISP_E_OVERFLOW = makeHResult(0x8002000A);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = makeHResult(0x8002000E);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = makeHResult(0x80040110);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = makeHResult(0x80040111);
inline constexpr HRESULT SELFREG_E_TYPELIB = makeHResult(0x80040200);
inline constexpr HRESULT SELFREG_E_CLASS = makeHResult(0x80040201);

/// Numbered errors that a control raises towards its host travel in the control facility.
/// @since 3.5
inline constexpr HRESULT controlError(std::uint16_t number)
{
    return makeHResult(0x800A0000u | number);
}
inline constexpr bool isControlError(HRESULT hr)
{
    return (std::uint32_t(hr) & 0xFFFF0000u) == 0x800A0000u;
}
inline constexpr int controlErrorNumber(HRESULT hr)
{
    return isControlError(hr) ? int(hr & 0xFFFF) : 0;
}
/// Error 382: a property that may only be set while the host runs was written while it is designed.
/// @since 3.5
inline constexpr HRESULT CTL_E_RUNTIMEONLY = controlError(382);

inline constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline constexpr bool FAILED(HRESULT hr) { return hr < 0; }
