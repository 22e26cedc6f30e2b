// What DllRegisterServer writes and DllUnregisterServer removes. Unregistration runs in a program
// of its own, alone, and registers the DLL again before it ends.
#include <doctest/doctest.h>

#include <VelmoraEBanking.h>
#include <comcat.h>

#include <iterator>
#include <map>
#include <vector>

#include "com/GuidText.h"
#include "module/ComponentClasses.h"
#include "support/ComponentProbe.h"
#include "support/RegistryReading.h"
#include "support/WideText.h"

namespace {

const std::wstring LibraryKey = std::wstring(L"TypeLib\\") + CorvaneLibraryText;

std::wstring ClassKey(const ComponentClass& entry) {
    return std::wstring(L"CLSID\\") + entry.clsidText;
}

bool SamePath(const std::optional<std::wstring>& registered, const std::wstring& expected) {
    return registered && _wcsicmp(registered->c_str(), expected.c_str()) == 0;
}

std::vector<CLSID> BankComponents() {
    ComPtr<ICatInformation> information;
    REQUIRE(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                             IID_ICatInformation, information.OutVoid()) == S_OK);
    CATID wanted[] = {CATID_VelmoraBankComponents};
    ComPtr<IEnumCLSID> classes;
    REQUIRE(information->EnumClassesOfCategories(1, wanted, static_cast<ULONG>(-1), nullptr,
                                                 classes.Out()) == S_OK);
    std::vector<CLSID> found;
    CLSID clsid;
    while (classes->Next(1, &clsid, nullptr) == S_OK) {
        found.push_back(clsid);
    }
    return found;
}

bool IsBankComponent(REFCLSID clsid) {
    for (const CLSID& listed : BankComponents()) {
        if (InlineIsEqualGUID(listed, clsid)) {
            return true;
        }
    }
    return false;
}

bool LibraryRegistered() {
    ComPtr<ITypeLib> library;
    return SUCCEEDED(LoadRegTypeLib(LIBID_CORVANELib, 1, 0, 0, library.Out()));
}

void CheckRegistered() {
    const std::wstring& path = ComponentProbe::Instance().Path();
    for (const ComponentClass& entry : ComponentClasses) {
        CAPTURE(ShowWide(entry.name));
        const std::wstring classKey = ClassKey(entry);
        CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, entry.progId) == std::wstring(entry.description));
        CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, std::wstring(entry.progId) + L"\\CLSID") ==
              std::wstring(entry.clsidText));
        CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, entry.versionIndependentProgId) ==
              std::wstring(entry.description));
        CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, std::wstring(entry.versionIndependentProgId) +
                                                      L"\\CLSID") == std::wstring(entry.clsidText));
        CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, std::wstring(entry.versionIndependentProgId) +
                                                      L"\\CurVer") == std::wstring(entry.progId));
        CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, classKey) == std::wstring(entry.description));
        CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, classKey + L"\\ProgID") ==
              std::wstring(entry.progId));
        CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, classKey + L"\\VersionIndependentProgID") ==
              std::wstring(entry.versionIndependentProgId));
        CHECK(RegistryKeyExists(HKEY_CLASSES_ROOT, classKey + L"\\Programmable"));
        CHECK(SamePath(ReadRegistryText(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32"), path));
        CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32",
                               L"ThreadingModel") == std::wstring(L"Apartment"));
        CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, classKey + L"\\TypeLib") ==
              std::wstring(CorvaneLibraryText));

        CLSID resolved = {};
        CHECK(CLSIDFromProgID(entry.progId, &resolved) == S_OK);
        CHECK(InlineIsEqualGUID(resolved, *entry.clsid));
        CHECK(CLSIDFromProgID(entry.versionIndependentProgId, &resolved) == S_OK);
        CHECK(InlineIsEqualGUID(resolved, *entry.clsid));
    }
    CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, LibraryKey + L"\\1.0") ==
          std::wstring(L"Corvane 1.0 Type Library"));
    CHECK(SamePath(
        ReadRegistryText(HKEY_CLASSES_ROOT, LibraryKey + L"\\1.0" + TypeLibraryPlatformKey),
        path + L"\\1"));
    CHECK(LibraryRegistered());
}

// Every key the component's registration writes below a classes root, with its whole subtree.
std::map<std::wstring, RegistryTree> ComponentKeys(HKEY root, const std::wstring& classes) {
    std::vector<std::wstring> keys = {LibraryKey};
    for (const ComponentClass& entry : ComponentClasses) {
        keys.insert(keys.end(), {ClassKey(entry), entry.progId, entry.versionIndependentProgId});
    }
    for (const IID* iid :
         {&IID_IBank, &IID_IBankServices, &IID_IBankPaymentService, &IID_IBankStatementService}) {
        keys.push_back(L"Interface\\" + GuidText(*iid));
        keys.push_back(L"Wow6432Node\\Interface\\" + GuidText(*iid));
    }
    std::map<std::wstring, RegistryTree> found;
    for (const std::wstring& key : keys) {
        RegistryTree tree = ReadRegistryTree(root, classes + key);
        if (!tree.empty()) {
            found[key] = std::move(tree);
        }
    }
    return found;
}

// The classes of the machine (under HKEY_LOCAL_MACHINE) or of the user (HKEY_CURRENT_USER).
const std::wstring Classes = L"Software\\Classes\\";

// Registers the DLL again however the test that unregistered it ends.
struct RegisterAgainAtEnd {
    RegisterAgainAtEnd() = default;
    RegisterAgainAtEnd(const RegisterAgainAtEnd&) = delete;
    RegisterAgainAtEnd& operator=(const RegisterAgainAtEnd&) = delete;
    ~RegisterAgainAtEnd() { CHECK(ComponentProbe::Instance().RegisterServer() == S_OK); }
};

} // namespace

TEST_CASE("registration writes every class's ProgIDs, class key and the type library") {
    ComponentSession session;
    CheckRegistered();
}

TEST_CASE("registration puts the bank class, and no other, in the host's bank category") {
    ComponentSession session;
    CHECK(IsBankComponent(CLSID_Bank));
    CHECK(!IsBankComponent(CLSID_BankServices));
    CHECK(!IsBankComponent(CLSID_BankPaymentService));
    CHECK(!IsBankComponent(CLSID_BankStatementService));
    CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT,
                             ClassKey(ComponentClasses[1]) + L"\\Implemented Categories"));
}

TEST_CASE("unregistration removes the classes, category and type library, and keeps CLSID") {
    ComponentSession session;
    {
        RegisterAgainAtEnd registerAgain;
        REQUIRE(ComponentProbe::Instance().UnregisterServer() == S_OK);
        for (const ComponentClass& entry : ComponentClasses) {
            CAPTURE(ShowWide(entry.name));
            CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, entry.progId));
            CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, entry.versionIndependentProgId));
            CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, ClassKey(entry)));
        }
        CHECK(RegistryKeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
        CHECK(!IsBankComponent(CLSID_Bank));
        CHECK(!LibraryRegistered());
        ComPtr<IUnknown> bank;
        CHECK(CoCreateInstance(CLSID_Bank, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               bank.OutVoid()) == REGDB_E_CLASSNOTREG);
    }
    CheckRegistered();
    CHECK(IsBankComponent(CLSID_Bank));
}

// Wine's type library registration writes a 64-bit library's interface keys of the 32-bit view
// into the machine's classes whatever HKEY_CLASSES_ROOT stands for; these are left out where a
// per-user registration is compared.
std::map<std::wstring, RegistryTree>
WithoutThirtyTwoBitView(std::map<std::wstring, RegistryTree> keys) {
    for (auto key = keys.begin(); key != keys.end();) {
        key = key->first.rfind(L"Wow6432Node\\", 0) == 0 ? keys.erase(key) : std::next(key);
    }
    return keys;
}

TEST_CASE("per-user registration writes the machine-wide keys under the user's classes only") {
    ComponentSession session;
    const auto machineWide = ComponentKeys(HKEY_LOCAL_MACHINE, Classes);
    REQUIRE(machineWide.size() >= 13);
    RegisterAgainAtEnd registerAgain;
    REQUIRE(ComponentProbe::Instance().UnregisterServer() == S_OK);
    REQUIRE(ComponentKeys(HKEY_LOCAL_MACHINE, Classes).empty());

    REQUIRE(ComponentProbe::Instance().Install(true, L"User") == S_OK);
    CHECK(WithoutThirtyTwoBitView(ComponentKeys(HKEY_LOCAL_MACHINE, Classes)).empty());
    CHECK(ComponentKeys(HKEY_CURRENT_USER, Classes) == WithoutThirtyTwoBitView(machineWide));

    CHECK(ComponentProbe::Instance().Install(false, L"user") == S_OK);
    CHECK(ComponentKeys(HKEY_CURRENT_USER, Classes).empty());
    CHECK(ComponentKeys(HKEY_LOCAL_MACHINE, Classes).empty());
}

TEST_CASE("DllInstall: an empty command line registers machine-wide, others are refused") {
    ComponentSession session;
    RegisterAgainAtEnd registerAgain;
    REQUIRE(ComponentProbe::Instance().Install(false, L"") == S_OK);
    CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, LibraryKey));
    REQUIRE(ComponentProbe::Instance().Install(true, nullptr) == S_OK);
    CheckRegistered();
    CHECK(ComponentProbe::Instance().Install(true, L"machine") == E_INVALIDARG);
    CHECK(ComponentKeys(HKEY_CURRENT_USER, Classes).empty());
}
