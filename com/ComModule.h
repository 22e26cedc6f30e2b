#pragma once
#include <windows.h>
#include <unknwn.h>
#include <comcat.h>

#include <cstddef>
#include <vector>

#include "com/ClassFactory.h"
#include "com/ComPtr.h"
#include "com/RegistrationScope.h"

// One class an in-process server serves, as listed in its class table.
struct ComClassEntry {
    const CLSID* clsid;
    ObjectCreator create;
    // The REGISTRY resource holding the class's registry script.
    UINT registryScript;
    // The component categories the class implements (none when the count is 0).
    const CATID* implementedCategories;
    ULONG implementedCategoryCount;
};

// The server machinery of one module: class objects created on first request and cached for the
// module's life, the unload test, and registration of the classes (registry scripts, component
// categories) and of the type library held in the module's resources.
class ComModule {
public:
    template <std::size_t Count>
    explicit ComModule(const ComClassEntry (&classes)[Count]) : ComModule(classes, Count) {}
    ComModule(const ComClassEntry* classes, std::size_t count);
    ~ComModule();
    ComModule(const ComModule&) = delete;
    ComModule& operator=(const ComModule&) = delete;

    // E_POINTER for a null out-pointer, CLASS_E_CLASSNOTAVAILABLE for a class not in the table.
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out);
    // S_OK when no lock is held on the module, S_FALSE otherwise.
    HRESULT CanUnloadNow() const;
    // Class by class in table order, then the type library. The first failure is returned after
    // what was written before it has been removed again: a server is registered whole or not at
    // all.
    HRESULT RegisterServer(HINSTANCE module,
                           RegistrationScope scope = RegistrationScope::Machine) const;
    // Undoes RegisterServer as far as it can; returns the first failure. While the other registry
    // view of the scope (the server's other build) still registers a class, only this build's own
    // keys go: the class key, the type library's path for this platform and its interfaces' keys
    // in this view; the keys both views share, such as the ProgIDs and the type library's version
    // key, and the other view's interface keys stay. Both work on the scope's own classes
    // (ClassesRoot.h), never on the merged HKEY_CLASSES_ROOT.
    HRESULT UnregisterServer(HINSTANCE module,
                             RegistrationScope scope = RegistrationScope::Machine) const;
    // Drops the cached class objects (the module is being unloaded).
    void ReleaseClassObjects();

private:
    const ComClassEntry* classes_;
    std::size_t count_;
    std::vector<ComPtr<IClassFactory>> classObjects_;
    CRITICAL_SECTION creationLock_;
};
