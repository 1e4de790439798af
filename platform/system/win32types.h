// The basic Windows-style types, result codes and small helpers that the
// layer and the game are written against. Declared here from what the code
// needs; nothing in this file comes from a system header.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using BOOL = int;
using HRESULT = std::int32_t;
using COLORREF = DWORD;
using LPCSTR = const char*;
using LPSTR = char*;

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

// Result codes shared by every service. A result is a failure when its top
// bit is set. E_FAIL has the value the layer's callers test for; the other
// general failures are our own, ascending in the order the error-name tables
// list them (E_NOTIMPL, E_FAIL, then the rest).
inline constexpr HRESULT MakeResult(std::uint32_t v) { return static_cast<HRESULT>(v); }
inline constexpr HRESULT MakeGeneralResult(unsigned code) { return MakeResult(0x80004100u + code); }
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = MakeResult(0x80004000u);
inline constexpr HRESULT E_FAIL = MakeResult(0x80004005u);
inline constexpr HRESULT CO_E_NOTINITIALIZED = MakeGeneralResult(1);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = MakeGeneralResult(2);
inline constexpr HRESULT E_NOINTERFACE = MakeGeneralResult(3);
inline constexpr HRESULT E_OUTOFMEMORY = MakeGeneralResult(4);
inline constexpr HRESULT E_INVALIDARG = MakeGeneralResult(5);

inline constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline constexpr bool FAILED(HRESULT hr) { return hr < 0; }

// Colours as 0x00BBGGRR.
inline constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
inline constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
inline constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
inline constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// A program module. The program's own module is the only one there is; it
// owns the bitmap resources registered with plat::RegisterBitmapResource.
struct ModuleTag;
using HINSTANCE = ModuleTag*;
using HMODULE = HINSTANCE;
using HANDLE = void*;

// The module of the running program (the name must be none).
HINSTANCE GetModuleHandleA(const char* name);
