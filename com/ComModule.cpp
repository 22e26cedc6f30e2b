#include "com/ComModule.h"

#include <new>

#include "com/ClassesRoot.h"
#include "com/ComInitialization.h"
#include "com/ComponentCategories.h"
#include "com/ModuleLock.h"
#include "com/Registrar.h"
#include "com/RegistryViews.h"
#include "com/TypeLibraryRegistration.h"

ComModule::ComModule(const ComClassEntry* classes, std::size_t count)
    : classes_(classes), count_(count), classObjects_(count) {
    InitializeCriticalSection(&creationLock_);
}

ComModule::~ComModule() {
    ReleaseClassObjects();
    DeleteCriticalSection(&creationLock_);
}

HRESULT ComModule::GetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    for (std::size_t i = 0; i < count_; ++i) {
        if (!InlineIsEqualGUID(clsid, *classes_[i].clsid)) {
            continue;
        }
        EnterCriticalSection(&creationLock_);
        if (!classObjects_[i]) {
            classObjects_[i] = ComPtr<IClassFactory>::Share(
                new (std::nothrow) CComClassFactory(classes_[i].create));
        }
        // The cached object lives until the module goes, so it is safe to use after leaving.
        IClassFactory* classObject = classObjects_[i].Get();
        LeaveCriticalSection(&creationLock_);
        return classObject == nullptr ? E_OUTOFMEMORY : classObject->QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ComModule::CanUnloadNow() const {
    return ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

namespace {

// The scope's classes, which the classes' registry scripts write and remove.
HRESULT OpenScopeClasses(RegistrationScope scope, RegistryKeyHandle& classes) {
    return HRESULT_FROM_WIN32(CreateClassesKey(scope, L"", KEY_ALL_ACCESS, classes));
}

} // namespace

HRESULT ComModule::RegisterServer(HINSTANCE module, RegistrationScope scope) const {
    // The category manager is a COM object; the registering program may not have started COM.
    ScopedComInitialization com;
    RegistryKeyHandle classes;
    HRESULT result = OpenScopeClasses(scope, classes);
    for (std::size_t i = 0; SUCCEEDED(result) && i < count_; ++i) {
        const ComClassEntry& entry = classes_[i];
        result = UpdateRegistryFromResource(module, entry.registryScript, ScriptAction::Register,
                                            classes.Get());
        if (SUCCEEDED(result)) {
            result = RegisterImplementedCategories(*entry.clsid, entry.implementedCategories,
                                                   entry.implementedCategoryCount, scope);
        }
    }
    if (SUCCEEDED(result)) {
        result = RegisterModuleTypeLibrary(module, scope);
    }
    if (FAILED(result)) {
        UnregisterServer(module, scope);
    }
    return result;
}

HRESULT ComModule::UnregisterServer(HINSTANCE module, RegistrationScope scope) const {
    ScopedComInitialization com;
    RegistryKeyHandle classes;
    HRESULT first = OpenScopeClasses(scope, classes);
    if (FAILED(first)) {
        return first;
    }
    auto keep = [&first](HRESULT result) {
        if (SUCCEEDED(first) && FAILED(result)) {
            first = result;
        }
    };
    bool otherBuildRegistered = false;
    for (std::size_t i = 0; i < count_; ++i) {
        const ComClassEntry& entry = classes_[i];
        keep(UnregisterImplementedCategories(*entry.clsid, entry.implementedCategories,
                                             entry.implementedCategoryCount, scope));
        // This view's class key goes first: where there is one view, it is the one looked at next.
        keep(UpdateRegistryFromResource(module, entry.registryScript,
                                        ScriptAction::UnregisterPerView, classes.Get()));
        if (OtherViewServesClass(*entry.clsid, scope)) {
            otherBuildRegistered = true;
        } else {
            keep(UpdateRegistryFromResource(module, entry.registryScript, ScriptAction::Unregister,
                                            classes.Get()));
        }
    }
    // The system's removal of the type library takes its interfaces' keys in both views, which
    // the other build's callers need across apartments.
    keep(otherBuildRegistered ? UnregisterModuleTypeLibraryOwnKeys(module, scope)
                              : UnregisterModuleTypeLibrary(module, scope));
    return first;
}

void ComModule::ReleaseClassObjects() {
    for (ComPtr<IClassFactory>& classObject : classObjects_) {
        classObject.Reset();
    }
}
