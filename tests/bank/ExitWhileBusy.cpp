// A host process that ends while one of its threads is busy inside the component: the thread
// raises the bank's errors (each one an exception thrown and caught inside the DLL) in a loop
// when the main thread returns. The process must end; CTest's timeout says when it hangs in the
// component's clean-up (a lock held by the thread that process termination killed).
#include <windows.h>

#include <Corvane.h>

#include <cstdio>

#include "com/ComInitialization.h"
#include "com/ComPtr.h"

namespace {

using GetClassObjectFunction = HRESULT WINAPI(REFCLSID, REFIID, void**);

HANDLE busy = nullptr;

DWORD WINAPI RaiseErrorsForever(void* entryPoint) {
    ScopedComInitialization com;
    ComPtr<IClassFactory> factory;
    ComPtr<IBank> bank;
    if (FAILED(reinterpret_cast<GetClassObjectFunction*>(entryPoint)(CLSID_Bank, IID_IClassFactory,
                                                                     factory.OutVoid())) ||
        FAILED(factory->CreateInstance(nullptr, IID_IBank, bank.OutVoid()))) {
        return 1;
    }
    for (long calls = 1;; ++calls) {
        // A null out-pointer: raised inside, returned as a failure.
        if (SUCCEEDED(bank->get_Name(nullptr))) {
            return 1;
        }
        if (calls == 100) {
            SetEvent(busy);
        }
    }
}

} // namespace

int main() {
    const HMODULE component = LoadLibraryW(CORVANE_DLL);
    void* const entryPoint =
        component != nullptr
            ? reinterpret_cast<void*>(GetProcAddress(component, "DllGetClassObject"))
            : nullptr;
    busy = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = entryPoint != nullptr
                        ? CreateThread(nullptr, 0, RaiseErrorsForever, entryPoint, 0, nullptr)
                        : nullptr;
    if (thread == nullptr || WaitForSingleObject(busy, 30000) != WAIT_OBJECT_0) {
        std::puts("the component could not be kept busy on a second thread");
        return 1;
    }
    std::puts("exiting while a second thread raises the component's errors");
    std::fflush(stdout);
    // Returning ends the process with the thread still running and the component loaded.
    return 0;
}
