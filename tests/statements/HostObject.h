#pragma once
// A host object as the host framework would make it: counted references, the interface it
// implements, IUnknown and, for dual interfaces, IDispatch (not used by the component).
#include "com/SingleInterfaceObject.h"
#include "com/TypeInfoDispatch.h"

// Host objects alive in this process, to see that the component releases every one.
int& LiveHostObjects();

// Counts itself among the live host objects. Its creator holds the first reference.
template <typename Interface> class HostObject : public SingleInterfaceObject<Interface> {
public:
    HostObject() {
        ++LiveHostObjects();
        SingleInterfaceObject<Interface>::AddRef();
    }
    ~HostObject() override { --LiveHostObjects(); }
};

// A host object of a dual interface, which the component calls through its vtable only.
template <typename Interface>
using DualHostObject = TypeInfoDispatch<Interface, HostObject<Interface>>;
