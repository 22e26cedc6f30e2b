#pragma once
// The Windows types and result codes the file-format core uses: from the Windows headers in the
// DLL, and stand-ins of the same sizes and values in the native build of the core.
#ifdef _WIN32
#include <windows.h>
#include <oleauto.h>
#else
#include <cstdint>

using DATE = double;
using HRESULT = std::int32_t;
using WORD = std::uint16_t;
using UINT = unsigned int;

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
#endif
