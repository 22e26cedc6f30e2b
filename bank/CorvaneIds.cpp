// Defines the component's own interface, class and type library identifiers once.
#include <initguid.h>
#include <Corvane.h>
