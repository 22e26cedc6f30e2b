#pragma once
// Helpers for tests of the virtual-store fallback.
#include <string>

// Under Wine HKEY_USERS\S-1-5-19 does not exist, so a process counts as without administrative
// rights; this key makes it count as with them for the key's lifetime.
class AdministrativeRightsKey {
public:
    AdministrativeRightsKey();
    ~AdministrativeRightsKey();
    AdministrativeRightsKey(const AdministrativeRightsKey&) = delete;
    AdministrativeRightsKey& operator=(const AdministrativeRightsKey&) = delete;
};

// The user's local application data folder.
std::string LocalAppDataFolder();

// The virtual store's folder for paths on drive C:.
std::string VirtualStoreFolder();
