#pragma once
#include "com/ComPtr.h"
#include "com/SingleInterfaceObject.h"
#include "com/TypeInfoDispatch.h"
#include "tools/velmora-host/HostTypeLibraries.h"

#include <utility>

// A host object implements one host interface on SingleInterfaceObject: the host's objects live
// in its single apartment. A host object whose interface is dual derives from DispatchObject
// instead: late-bound calls are served from the interface's description in the host's type
// libraries. Without those libraries only early binding works and the IDispatch operations
// report that they are not implemented.
template <typename Interface>
class DispatchObject : public TypeInfoDispatch<Interface, SingleInterfaceObject<Interface>> {
protected:
    DispatchObject()
        : TypeInfoDispatch<Interface, SingleInterfaceObject<Interface>>(
              HostTypeLibraries::InterfaceTypeInfo(__uuidof(Interface))) {}
};

// Creates a host object and hands out its first reference.
template <typename Object, typename... Arguments>
ComPtr<Object> MakeHostObject(Arguments&&... arguments) {
    return ComPtr<Object>::Share(new Object(std::forward<Arguments>(arguments)...));
}
