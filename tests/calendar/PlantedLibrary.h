#pragma once
// A library named like a system library and put beside the test program, where a planted copy
// would lie in the host program's folder. When it is loaded it sets this environment variable
// in the process, so a test sees that its code ran.
constexpr wchar_t PlantedLibraryMark[] = L"CORVANE_PLANTED_LIBRARY_LOADED";
constexpr wchar_t PlantedLibraryName[] = L"dciman32.dll";
