#pragma once
// The error object a failed operation leaves on the calling thread, as the host reads it.
#include <windows.h>

#include <string>

// The codes the component's operations return for raised result codes.
constexpr HRESULT UnexpectedResult = static_cast<HRESULT>(0x800AFFFE);
constexpr HRESULT OutOfMemoryResult = static_cast<HRESULT>(0x800AFFFD);
constexpr HRESULT InvalidArgumentResult = static_cast<HRESULT>(0x800AFFFC);
constexpr HRESULT NotImplementedResult = static_cast<HRESULT>(0x800AFFFB);
constexpr HRESULT NoInterfaceResult = static_cast<HRESULT>(0x800AFFFA);

struct ThreadError {
    bool present = false;
    std::wstring description;
    std::wstring source;
};

// Takes the thread's error object (GetErrorInfo), leaving none.
ThreadError TakeThreadError();

// Removes any error object from the thread, so that a test sees only what its call leaves.
void ClearThreadError();
