#pragma once
#include <windows.h>
#include <unknwn.h>

#include "com/ComPtr.h"

// Creates one of the host's objects by its class identifier, in any context (the host may serve
// it from its own process), runs it and queries the interface wanted. Any failing step gives an
// empty pointer: a missing host object shows only when it is used (RaiseMissingHostObject).
ComPtr<IUnknown> CreateRunningHostObject(REFCLSID clsid);

template <class Interface> ComPtr<Interface> CreateHostObject(REFCLSID clsid, REFIID iid) {
    return CreateRunningHostObject(clsid).template As<Interface>(iid);
}
