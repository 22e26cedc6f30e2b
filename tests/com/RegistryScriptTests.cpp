// Registry scripts: reading their text, writing and removing what they describe, and applying
// one held in the module's resources.
#include <doctest/doctest.h>

#include "TestModule.h"
#include "com/ModuleInstance.h"
#include "com/ModulePath.h"
#include "com/Registrar.h"
#include "support/RegistryReading.h"
#include "support/WideText.h"

namespace {

const std::wstring TestRoot = L"Software\\CorvaneComTests";

long SyntaxFailure(const std::wstring& text) {
    try {
        ParseRegistryScript(text, {{L"MODULE", L"C:\\m.dll"}});
    } catch (long result) {
        return result;
    }
    return S_OK;
}

HRESULT Apply(const std::wstring& text, bool registering,
              const std::vector<ScriptReplacement>& replacements = {}) {
    std::vector<RegistryRoot> script = ParseRegistryScript(text, replacements);
    return registering ? RegisterScript(script) : UnregisterScript(script);
}

// Leaves no test key behind, whatever a test did.
struct CleanTestRoot {
    CleanTestRoot() { RegDeleteTreeW(HKEY_CURRENT_USER, TestRoot.c_str()); }
    ~CleanTestRoot() { RegDeleteTreeW(HKEY_CURRENT_USER, TestRoot.c_str()); }
};

} // namespace

TEST_CASE("a script is read into roots, keys, values and their removal rules") {
    std::vector<RegistryRoot> script = ParseRegistryScript(
        L"HKCR\r\n{\r\n\tNoRemove CLSID\r\n\t{\r\n"
        L"\t\tForceRemove {0000-1} = s 'A ''quoted'' name'\r\n\t\t{\r\n"
        L"\t\t\tInprocServer32 = s '%MODULE%'\r\n\t\t\t{\r\n"
        L"\t\t\t\tval ThreadingModel = s 'Apartment'\r\n\t\t\t\tval Size = d '0x10'\r\n"
        L"\t\t\t}\r\n\t\t\t'Programmable'\r\n\t\t}\r\n\t}\r\n}\r\n"
        L"HKEY_CURRENT_USER { Percent = s '100%%' }",
        {{L"MODULE", L"C:\\It's {here}\\m.dll"}});
    REQUIRE(script.size() == 2);
    CHECK(script[0].key == HKEY_CLASSES_ROOT);
    CHECK(script[1].key == HKEY_CURRENT_USER);
    REQUIRE(script[0].subkeys.size() == 1);
    const RegistryKey& classes = script[0].subkeys[0];
    CHECK(classes.name == L"CLSID");
    CHECK(classes.noRemove);
    CHECK(!classes.forceRemove);
    CHECK(classes.defaultValue.kind == RegistryValue::Kind::Absent);
    REQUIRE(classes.subkeys.size() == 1);
    const RegistryKey& clsid = classes.subkeys[0];
    CHECK(clsid.name == L"{0000-1}");
    CHECK(clsid.forceRemove);
    CHECK(clsid.defaultValue.text == L"A 'quoted' name");
    REQUIRE(clsid.subkeys.size() == 2);
    const RegistryKey& server = clsid.subkeys[0];
    CHECK(server.defaultValue.text == L"C:\\It's {here}\\m.dll");
    REQUIRE(server.values.size() == 2);
    CHECK(server.values[0].name == L"ThreadingModel");
    CHECK(server.values[0].value.text == L"Apartment");
    CHECK(server.values[1].value.kind == RegistryValue::Kind::Number);
    CHECK(server.values[1].value.number == 16);
    CHECK(clsid.subkeys[1].name == L"Programmable");
    CHECK(clsid.subkeys[1].subkeys.empty());
    CHECK(script[1].subkeys[0].defaultValue.text == L"100%");
}

TEST_CASE("a text that is not a script is refused") {
    CHECK(SyntaxFailure(L"HKCR { Key = s 'value' }") == S_OK);
    CHECK(SyntaxFailure(L"HKXX { Key }") == RegistryScriptSyntaxError);
    CHECK(SyntaxFailure(L"HKCR { Key = s 'value' ") == RegistryScriptSyntaxError);
    CHECK(SyntaxFailure(L"HKCR { Key = s 'value }") == RegistryScriptSyntaxError);
    CHECK(SyntaxFailure(L"HKCR { Key = x 'value' }") == RegistryScriptSyntaxError);
    CHECK(SyntaxFailure(L"HKCR { Key = d 'ten' }") == RegistryScriptSyntaxError);
    CHECK(SyntaxFailure(L"HKCR { Key = s '%UNKNOWN%' }") == RegistryScriptSyntaxError);
    CHECK(SyntaxFailure(L"HKCR { Key = s '50%' }") == RegistryScriptSyntaxError);
    CHECK(SyntaxFailure(L"HKCR { = s 'value' }") == RegistryScriptSyntaxError);
    CHECK(SyntaxFailure(L"HKCR { Key { val = s 'x' } }") == RegistryScriptSyntaxError);
    CHECK(SyntaxFailure(L"HKCR Key") == RegistryScriptSyntaxError);
}

TEST_CASE("registering writes keys and values; ForceRemove replaces a key whole") {
    CleanTestRoot clean;
    REQUIRE(Apply(L"HKCU { Software { CorvaneComTests { Old { Stale = s 'x' } } } }", true) ==
            S_OK);
    const std::wstring script = L"HKCU { NoRemove Software { NoRemove CorvaneComTests {"
                                L" ForceRemove Old = s 'Replaced' { Fresh } "
                                L" Kept = s '%WHO%' { val Count = d 42 val Name = s 'n' } } } }";
    REQUIRE(Apply(script, true, {{L"WHO", L"me"}}) == S_OK);
    CHECK(ReadRegistryText(HKEY_CURRENT_USER, TestRoot + L"\\Old") == std::wstring(L"Replaced"));
    CHECK(RegistryKeyExists(HKEY_CURRENT_USER, TestRoot + L"\\Old\\Fresh"));
    CHECK(!RegistryKeyExists(HKEY_CURRENT_USER, TestRoot + L"\\Old\\Stale"));
    CHECK(ReadRegistryText(HKEY_CURRENT_USER, TestRoot + L"\\Kept") == std::wstring(L"me"));
    CHECK(ReadRegistryNumber(HKEY_CURRENT_USER, TestRoot + L"\\Kept", L"Count") == DWORD(42));
    CHECK(ReadRegistryText(HKEY_CURRENT_USER, TestRoot + L"\\Kept", L"Name") == std::wstring(L"n"));

    SUBCASE("unregistering removes what the script wrote and keeps NoRemove keys") {
        CHECK(Apply(script, false, {{L"WHO", L"me"}}) == S_OK);
        CHECK(!RegistryKeyExists(HKEY_CURRENT_USER, TestRoot + L"\\Old"));
        CHECK(!RegistryKeyExists(HKEY_CURRENT_USER, TestRoot + L"\\Kept"));
        CHECK(RegistryKeyExists(HKEY_CURRENT_USER, TestRoot));
        CHECK(RegistryKeyExists(HKEY_CURRENT_USER, L"Software"));
    }
    SUBCASE("a key holding something the script did not write stays, emptied of its own") {
        REQUIRE(Apply(L"HKCU { Software { CorvaneComTests { Kept { Foreign } } } }", true) == S_OK);
        CHECK(Apply(script, false, {{L"WHO", L"me"}}) == S_OK);
        CHECK(RegistryKeyExists(HKEY_CURRENT_USER, TestRoot + L"\\Kept\\Foreign"));
        CHECK(!RegistryKeyExists(HKEY_CURRENT_USER, TestRoot + L"\\Old"));
    }
    SUBCASE("a NoRemove key loses the values the script names") {
        const std::wstring values =
            L"HKCU { NoRemove Software { NoRemove CorvaneComTests { val Mark = s 'x' } } }";
        REQUIRE(Apply(values, true) == S_OK);
        CHECK(ReadRegistryText(HKEY_CURRENT_USER, TestRoot, L"Mark") == std::wstring(L"x"));
        CHECK(Apply(values, false) == S_OK);
        CHECK(!ReadRegistryText(HKEY_CURRENT_USER, TestRoot, L"Mark"));
        CHECK(RegistryKeyExists(HKEY_CURRENT_USER, TestRoot));
    }
    SUBCASE("unregistering what is not there succeeds") {
        CHECK(Apply(script, false, {{L"WHO", L"me"}}) == S_OK);
        CHECK(Apply(script, false, {{L"WHO", L"me"}}) == S_OK);
    }
}

TEST_CASE("a script resource is applied with the module's path and removed again") {
    const std::wstring classKey = L"CLSID\\{79DFC69F-1D9B-496D-B9A6-2EA72C28D442}";
    REQUIRE(UpdateRegistryFromResource(ModuleInstance(), 201, ScriptAction::Register) == S_OK);
    CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32") ==
          ModulePath(ModuleInstance()));
    CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", L"ThreadingModel") ==
          std::wstring(L"Apartment"));
    CHECK(ReadRegistryText(HKEY_CLASSES_ROOT, L"CorvaneComTests.Counter.1\\CLSID") ==
          std::wstring(L"{79DFC69F-1D9B-496D-B9A6-2EA72C28D442}"));

    CHECK(UpdateRegistryFromResource(ModuleInstance(), 201, ScriptAction::Unregister) == S_OK);
    CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, classKey));
    CHECK(!RegistryKeyExists(HKEY_CLASSES_ROOT, L"CorvaneComTests.Counter.1"));
    CHECK(RegistryKeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
}

TEST_CASE("a missing script resource fails the registration") {
    CHECK(FAILED(UpdateRegistryFromResource(ModuleInstance(), MissingRegistryScript,
                                            ScriptAction::Register)));
}
