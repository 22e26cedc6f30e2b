// Registration of a module's classes: registry scripts, component categories and the type
// library, and their removal.
#include <doctest/doctest.h>

#include <comcat.h>

#include "TestCounter.h"
#include "TestModule.h"
#include "com/ComInitialization.h"
#include "com/ComPtr.h"
#include "com/ModuleInstance.h"
#include "com/ServerInstall.h"
#include "support/RegistryReading.h"
#include "support/WideText.h"

namespace {

const std::wstring ClassKey = L"CLSID\\{79DFC69F-1D9B-496D-B9A6-2EA72C28D442}";
const CATID CATID_OtherTestCounters = {
    0xF3923F43, 0x2413, 0x4E8D, {0x9D, 0x88, 0x0D, 0xFA, 0xA6, 0x8F, 0x37, 0x24}};

// The classes the category manager lists as implementing a category.
std::vector<CLSID> ClassesImplementing(const CATID& category) {
    ComPtr<ICatInformation> information;
    REQUIRE(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                             IID_ICatInformation, information.OutVoid()) == S_OK);
    ComPtr<IEnumCLSID> classes;
    CATID wanted[] = {category};
    REQUIRE(information->EnumClassesOfCategories(1, wanted, static_cast<ULONG>(-1), nullptr,
                                                 classes.Out()) == S_OK);
    std::vector<CLSID> found;
    CLSID clsid;
    ULONG fetched = 0;
    while (classes->Next(1, &clsid, &fetched) == S_OK && fetched == 1) {
        found.push_back(clsid);
    }
    return found;
}

bool Lists(const std::vector<CLSID>& classes, REFCLSID clsid) {
    for (const CLSID& listed : classes) {
        if (InlineIsEqualGUID(listed, clsid)) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST_CASE("registering the server writes its classes, categories and type library") {
    // The registering program need not have started COM.
    REQUIRE(TestModule().RegisterServer(ModuleInstance()) == S_OK);
    ScopedComInitialization com;
    CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, ClassKey) == std::wstring(L"Counter Class"));
    CHECK(RegistryKeyExists(HKEY_CLASSES_ROOT, ClassKey + L"\\Implemented Categories"));
    CHECK(Lists(ClassesImplementing(CATID_CorvaneTestCounters), CLSID_Counter));
    CHECK(!Lists(ClassesImplementing(CATID_OtherTestCounters), CLSID_Counter));
    ComPtr<ITypeLib> library;
    CHECK(LoadRegTypeLib(LIBID_ComLayerTestLib, 1, 0, 0, library.Out()) == S_OK);

    SUBCASE("unregistering removes all of it and leaves the classes key") {
        CHECK(TestModule().UnregisterServer(ModuleInstance()) == S_OK);
        CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, ClassKey));
        CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, L"CorvaneComTests.Counter.1"));
        CHECK(RegistryKeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
        CHECK(!Lists(ClassesImplementing(CATID_CorvaneTestCounters), CLSID_Counter));
        CHECK(LoadRegTypeLib(LIBID_ComLayerTestLib, 1, 0, 0, library.Out()) ==
              TYPE_E_LIBNOTREGISTERED);
    }
    SUBCASE("unregistering again reports the type library that is no longer there") {
        REQUIRE(TestModule().UnregisterServer(ModuleInstance()) == S_OK);
        CHECK(FAILED(TestModule().UnregisterServer(ModuleInstance())));
        CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, ClassKey));
    }
}

TEST_CASE("a registration that fails part-way leaves nothing of the server behind") {
    // DllInstall's empty command line registers for the machine, "user" for the current user.
    for (const wchar_t* commandLine : {L"", L"user"}) {
        CAPTURE(ShowWide(commandLine));
        CHECK(InstallServer(ModuleFailingPartWay(), ModuleInstance(), true, commandLine) ==
              HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            CHECK(!RegistryKeyExists(root, L"Software\\Classes\\" + ClassKey));
            CHECK(!RegistryKeyExists(root, L"Software\\Classes\\CorvaneComTests.Counter.1"));
        }
        ScopedComInitialization com;
        CHECK(!Lists(ClassesImplementing(CATID_CorvaneTestCounters), CLSID_Counter));
    }
}
