#include "payments/VirtualStoreTesting.h"

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <doctest/doctest.h>

AdministrativeRightsKey::AdministrativeRightsKey() {
    HKEY key = nullptr;
    REQUIRE(RegCreateKeyExA(HKEY_USERS, "S-1-5-19", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) == ERROR_SUCCESS);
    RegCloseKey(key);
}

AdministrativeRightsKey::~AdministrativeRightsKey() {
    RegDeleteKeyA(HKEY_USERS, "S-1-5-19");
}

std::string LocalAppDataFolder() {
    char folder[MAX_PATH] = {};
    REQUIRE(SUCCEEDED(
        SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)));
    return folder;
}

std::string VirtualStoreFolder() {
    const std::string folder = LocalAppDataFolder() + "\\virtualstore";
    std::filesystem::create_directories(folder);
    return folder;
}
