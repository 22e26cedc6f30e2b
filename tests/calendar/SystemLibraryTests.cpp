#include <doctest/doctest.h>

#include <algorithm>
#include <string>

#include <windows.h>

#include "PlantedLibrary.h"
#include "calendar/LoadedLibrary.h"
#include "calendar/SystemLibrary.h"

namespace {

// The folder of a module's file, in capitals for comparison.
std::wstring FolderOf(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.erase(std::min(folder.find_last_of(L'\\'), folder.size()));
    CharUpperW(&folder[0]);
    return folder;
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    CharUpperW(folder);
    return std::wstring(folder, length);
}

} // namespace

TEST_CASE("a system library is loaded from the system folder, not the program's folder") {
    const std::wstring planted = FolderOf(nullptr) + L"\\" + PlantedLibraryName;
    REQUIRE(GetFileAttributesW(planted.c_str()) != INVALID_FILE_ATTRIBUTES);
    REQUIRE(GetModuleHandleW(PlantedLibraryName) == nullptr);

    const LoadedLibrary library(LoadSystemLibrary(PlantedLibraryName));
    REQUIRE(library.Get() != nullptr);
    CHECK(FolderOf(library.Get()) == SystemFolder());
    CHECK(GetEnvironmentVariableW(PlantedLibraryMark, nullptr, 0) == 0);
}
