#include "bank/HostObject.h"

#include <ole2.h>

ComPtr<IUnknown> CreateRunningHostObject(REFCLSID clsid) {
    ComPtr<IUnknown> object;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, object.OutVoid())) ||
        FAILED(OleRun(object.Get()))) {
        object.Reset();
    }
    return object;
}
