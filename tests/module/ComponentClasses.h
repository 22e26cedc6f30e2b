#pragma once
// The four classes Corvane.dll serves, as the registry and the host know them.
#include <Corvane.h>

#include <string>

struct ComponentClass {
    const CLSID* clsid;
    const wchar_t* name;
    const wchar_t* description;
    const wchar_t* progId;
    const wchar_t* versionIndependentProgId;
    const wchar_t* clsidText;
};

extern const ComponentClass ComponentClasses[4];

constexpr const wchar_t* CorvaneLibraryText = L"{4CD78615-7B15-49DE-9B40-207D5EEAEAF4}";
