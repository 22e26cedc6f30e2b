// Registration of a module's classes: registry scripts, component categories and the type
// library, and their removal.
#include <doctest/doctest.h>

#include <comcat.h>

#include "TestCounter.h"
#include "TestModule.h"
#include "com/ClassesRoot.h"
#include "com/ComInitialization.h"
#include "com/ComPtr.h"
#include "com/GuidText.h"
#include "com/ModuleInstance.h"
#include "com/RegistryViews.h"
#include "com/ServerInstall.h"
#include "com/TypeLibraryRegistration.h"
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

// What the counter's registration writes below a scope's classes (Software\Classes of
// HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER), each key with all it holds, in the process's view.
std::map<std::wstring, RegistryTree> CounterKeys(HKEY root) {
    std::map<std::wstring, RegistryTree> found;
    for (const std::wstring& key : {ClassKey, std::wstring(L"CorvaneComTests.Counter.1"),
                                    L"TypeLib\\" + GuidText(LIBID_ComLayerTestLib),
                                    L"Interface\\" + GuidText(IID_ICounter)}) {
        RegistryTree tree = ReadRegistryTree(root, L"Software\\Classes\\" + key);
        if (!tree.empty()) {
            found[key] = std::move(tree);
        }
    }
    return found;
}

// HKEY_CLASSES_ROOT writing into the user's classes, as Windows' merged view does wherever the
// user has the key (Wine's is the machine's classes alone): a machine-wide registration that went
// through it would land among the user's keys.
class ClassesRootWritingToUser {
public:
    ClassesRootWritingToUser() {
        REQUIRE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, KEY_ALL_ACCESS,
                              userClasses_.Out()) == ERROR_SUCCESS);
        REQUIRE(RegOverridePredefKey(HKEY_CLASSES_ROOT, userClasses_.Get()) == ERROR_SUCCESS);
    }
    ~ClassesRootWritingToUser() { RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr); }
    ClassesRootWritingToUser(const ClassesRootWritingToUser&) = delete;
    ClassesRootWritingToUser& operator=(const ClassesRootWritingToUser&) = delete;

private:
    RegistryKeyHandle userClasses_;
};

// The counter class served in the other registry view of a scope's classes, as the other build's
// registration would leave it; gone again at the end.
class OtherViewCounter {
public:
    explicit OtherViewCounter(RegistrationScope scope) : scope_(scope) {
        RegistryKeyHandle server;
        REQUIRE(CreateClassesKey(scope, ClassKey + L"\\InprocServer32", KEY_WRITE | OtherView,
                                 server) == ERROR_SUCCESS);
    }
    ~OtherViewCounter() { DeleteClassesTree(scope_, L"CLSID", GuidText(CLSID_Counter), OtherView); }
    OtherViewCounter(const OtherViewCounter&) = delete;
    OtherViewCounter& operator=(const OtherViewCounter&) = delete;

private:
    RegistrationScope scope_;
};

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
    const struct {
        std::string failing;
        ComModule& module;
        HRESULT result;
    } modules[] = {
        {"on its last class", ModuleFailingPartWay(),
         HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND)},
        {"on its first class, part of whose keys it wrote", ModuleFailingOnFirstClass(),
         HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER)},
    };
    for (const auto& failing : modules) {
        // DllInstall's empty command line registers for the machine, "user" for the current user.
        for (const wchar_t* commandLine : {L"", L"user"}) {
            CAPTURE(failing.failing);
            CAPTURE(ShowWide(commandLine));
            CHECK(InstallServer(failing.module, ModuleInstance(), true, commandLine) ==
                  failing.result);
            for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
                CHECK(CounterKeys(root).empty());
            }
            ScopedComInitialization com;
            CHECK(!Lists(ClassesImplementing(CATID_CorvaneTestCounters), CLSID_Counter));
        }
    }
}

TEST_CASE("a registration for the current user uses the system's per-user type library calls") {
    // Wine's per-user calls are its machine ones, so the choice is checked where it is made
    // (function pointers compared whole: the test framework cannot show them).
    const TypeLibraryCalls user = TypeLibraryCallsFor(RegistrationScope::CurrentUser);
    CHECK((user.registerLibrary == &RegisterTypeLibForUser));
    CHECK((user.unregisterLibrary == &UnRegisterTypeLibForUser));
    const TypeLibraryCalls machine = TypeLibraryCallsFor(RegistrationScope::Machine);
    CHECK((machine.registerLibrary == &RegisterTypeLib));
    CHECK((machine.unregisterLibrary == &UnRegisterTypeLib));
}

TEST_CASE("a machine-wide registration writes and removes the machine's classes, never a user's") {
    REQUIRE(InstallServer(TestModule(), ModuleInstance(), true, L"user") == S_OK);
    // A user's registration in the other view does not keep the machine's shared keys either.
    OtherViewCounter usersOtherView(RegistrationScope::CurrentUser);
    const auto usersKeys = CounterKeys(HKEY_CURRENT_USER);
    REQUIRE(usersKeys.size() == 4);

    {
        ClassesRootWritingToUser mergedView;
        CHECK(TestModule().RegisterServer(ModuleInstance()) == S_OK);
    }
    CHECK(CounterKeys(HKEY_CURRENT_USER) == usersKeys);
    CHECK(CounterKeys(HKEY_LOCAL_MACHINE).size() == 4);
    CHECK(RegistryKeyExists(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + ClassKey +
                                                    L"\\Implemented Categories\\" +
                                                    GuidText(CATID_CorvaneTestCounters)));
    {
        ClassesRootWritingToUser mergedView;
        CHECK(TestModule().UnregisterServer(ModuleInstance()) == S_OK);
    }
    CHECK(CounterKeys(HKEY_CURRENT_USER) == usersKeys);
    CHECK(CounterKeys(HKEY_LOCAL_MACHINE).empty());

    CHECK(InstallServer(TestModule(), ModuleInstance(), false, L"user") == S_OK);
    CHECK(CounterKeys(HKEY_CURRENT_USER).empty());
}

TEST_CASE("a per-user unregistration takes the user's keys whatever the machine's other view has") {
    OtherViewCounter machinesOtherView(RegistrationScope::Machine);
    REQUIRE(InstallServer(TestModule(), ModuleInstance(), true, L"user") == S_OK);
    CHECK(InstallServer(TestModule(), ModuleInstance(), false, L"user") == S_OK);
    CHECK(CounterKeys(HKEY_CURRENT_USER).empty());
}
