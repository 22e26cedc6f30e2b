#include "hostcall/HostObjectCreation.h"

#include <ole2.h>

ComPtr<IUnknown> CreateRunningHostObject(REFCLSID clsid, HostObjectRun run) {
    ComPtr<IUnknown> object;
    // A class that reports success but hands out nothing has created nothing to run.
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, object.OutVoid())) ||
        !object) {
        return {};
    }
    if (FAILED(OleRun(object.Get())) && run == HostObjectRun::Required) {
        object.Reset();
    }
    return object;
}
