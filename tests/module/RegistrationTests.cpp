// What DllRegisterServer writes and DllUnregisterServer removes. Unregistration runs in a program
// of its own, alone, and registers the DLL again before it ends.
#include <doctest/doctest.h>

#include <VelmoraEBanking.h>
#include <comcat.h>

#include <iterator>
#include <map>
#include <vector>

#include "com/GuidText.h"
#include "com/RegistryKeyHandle.h"
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
        ReadRegistryText(HKEY_CLASSES_ROOT, LibraryKey + L"\\1.0" + TypeLibraryPlatformKey), path));
    CHECK(LibraryRegistered());
}

// The keys of the type library's dual interfaces, below a classes root.
std::vector<std::wstring> InterfaceKeys() {
    std::vector<std::wstring> keys;
    for (const IID* iid :
         {&IID_IBank, &IID_IBankServices, &IID_IBankPaymentService, &IID_IBankStatementService}) {
        keys.push_back(L"Interface\\" + GuidText(*iid));
    }
    return keys;
}

// Every key the component's registration writes below a classes root, with its whole subtree.
std::map<std::wstring, RegistryTree> ComponentKeys(HKEY root, const std::wstring& classes) {
    std::vector<std::wstring> keys = {LibraryKey};
    for (const ComponentClass& entry : ComponentClasses) {
        keys.insert(keys.end(), {ClassKey(entry), entry.progId, entry.versionIndependentProgId});
    }
    for (const std::wstring& interfaceKey : InterfaceKeys()) {
        keys.push_back(interfaceKey);
        keys.push_back(L"Wow6432Node\\" + interfaceKey);
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

// The registry view of the other bitness, and whether the system has one: 32-bit Windows has a
// single view and ignores the flag.
constexpr REGSAM OtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

bool HasOtherView() {
    BOOL wow64 = FALSE;
    return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
}

const std::wstring OtherPlatformLibraryKey =
    LibraryKey + (sizeof(void*) == 8 ? L"\\1.0\\0\\win32" : L"\\1.0\\0\\win64");

void WriteText(REGSAM view, const std::wstring& path, const wchar_t* text) {
    RegistryKeyHandle key;
    REQUIRE(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE | view,
                            nullptr, key.Out(), nullptr) == ERROR_SUCCESS);
    REQUIRE(RegSetValueExW(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                           static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t))) ==
            ERROR_SUCCESS);
}

bool KeyExistsInView(REGSAM view, const std::wstring& path) {
    RegistryKeyHandle key;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | view, key.Out()) ==
           ERROR_SUCCESS;
}

// The component's other build as far as the registry shows it: the bank class and the type
// library's interfaces in the other view, and the type library's path for the other platform.
// Gone again at the end, but for the interfaces' keys, which this build's registration writes in
// both views.
class OtherBuildRegistration {
public:
    static constexpr const wchar_t* Path = L"C:\\Other build\\Corvane.dll";

    OtherBuildRegistration() {
        WriteText(OtherView, ClassKey(ComponentClasses[0]) + L"\\InprocServer32", Path);
        WriteText(0, OtherPlatformLibraryKey, Path);
        for (const std::wstring& interfaceKey : InterfaceKeys()) {
            WriteText(OtherView, interfaceKey + L"\\TypeLib", CorvaneLibraryText);
        }
    }
    ~OtherBuildRegistration() {
        RemoveClass();
        RegDeleteTreeW(HKEY_CLASSES_ROOT, OtherPlatformLibraryKey.c_str());
    }
    OtherBuildRegistration(const OtherBuildRegistration&) = delete;
    OtherBuildRegistration& operator=(const OtherBuildRegistration&) = delete;

    void RemoveClass() {
        RegistryKeyHandle classes;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_ALL_ACCESS | OtherView,
                          classes.Out()) == ERROR_SUCCESS) {
            RegDeleteTreeW(classes.Get(), ComponentClasses[0].clsidText);
        }
    }
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
        CHECK(ComponentKeys(HKEY_LOCAL_MACHINE, Classes).empty());
        CHECK(!IsBankComponent(CLSID_Bank));
        CHECK(!LibraryRegistered());
        ComPtr<IUnknown> bank;
        CHECK(CoCreateInstance(CLSID_Bank, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               bank.OutVoid()) == REGDB_E_CLASSNOTREG);
    }
    CheckRegistered();
    CHECK(IsBankComponent(CLSID_Bank));
}

TEST_CASE(
    "unregistration keeps the keys both views share while the other build registers the class") {
    ComponentSession session;
    RegisterAgainAtEnd registerAgain;
    OtherBuildRegistration otherBuild;
    REQUIRE(ComponentProbe::Instance().UnregisterServer() == S_OK);

    // Where there is a single view, the other build's class key was this build's own.
    const bool kept = HasOtherView();
    const ComponentClass& bank = ComponentClasses[0];
    CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, ClassKey(bank)));
    CHECK(RegistryKeyExists(HKEY_CLASSES_ROOT, bank.progId) == kept);
    CHECK(RegistryKeyExists(HKEY_CLASSES_ROOT,
                            std::wstring(bank.versionIndependentProgId) + L"\\CurVer") == kept);
    for (const ComponentClass& entry : ComponentClasses) {
        CAPTURE(ShowWide(entry.name));
        if (&entry != &bank) {
            CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, entry.progId));
            CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, entry.versionIndependentProgId));
        }
    }
    // The type library key is shared too: only this platform's path goes.
    CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, LibraryKey + L"\\1.0" + TypeLibraryPlatformKey));
    CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, OtherPlatformLibraryKey) ==
          std::wstring(OtherBuildRegistration::Path));
    CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, LibraryKey + L"\\1.0") ==
          std::wstring(L"Corvane 1.0 Type Library"));
    CHECK(RegistryKeyExists(HKEY_CLASSES_ROOT, LibraryKey + L"\\1.0\\FLAGS"));
    CHECK(RegistryKeyExists(HKEY_CLASSES_ROOT, LibraryKey + L"\\1.0\\HELPDIR"));
    // The other build's callers across apartments still find its interfaces; this view's go.
    CHECK(KeyExistsInView(OtherView, ClassKey(bank) + L"\\InprocServer32") == kept);
    for (const std::wstring& interfaceKey : InterfaceKeys()) {
        CAPTURE(ShowWide(interfaceKey));
        CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, interfaceKey));
        CHECK(KeyExistsInView(OtherView, interfaceKey) == kept);
    }

    // The last build's unregistration takes them.
    otherBuild.RemoveClass();
    ComponentProbe::Instance().UnregisterServer();
    CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, bank.progId));
    CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, bank.versionIndependentProgId));
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
