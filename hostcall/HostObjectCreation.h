#pragma once
#include <windows.h>
#include <unknwn.h>

#include "com/ComPtr.h"

// What a caller makes of a host object that was created but could not be run.
enum class HostObjectRun {
    Required, // the object is not used: the creation gives an empty pointer
    Attempted // the object is used as it is
};

// Creates one of the host's objects by its class identifier, in any context (the host may serve
// it from its own process), runs it and queries the interface wanted. A failing step gives an
// empty pointer: a missing host object shows only when it is used (RaiseMissingHostObject).
ComPtr<IUnknown> CreateRunningHostObject(REFCLSID clsid, HostObjectRun run);

template <class Interface>
ComPtr<Interface> CreateHostObject(REFCLSID clsid, REFIID iid,
                                   HostObjectRun run = HostObjectRun::Required) {
    return CreateRunningHostObject(clsid, run).template As<Interface>(iid);
}
