#pragma once
#include <Corvane.h>

#include "com/DispatchImpl.h"

// IDispatch of the component's dual interfaces, from the registered CORVANELib 1.0.
template <class Interface>
using CorvaneDispatch = IDispatchImpl<Interface, &LIBID_CORVANELib, 1, 0>;
