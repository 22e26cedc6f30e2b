#pragma once
#include <windows.h>

#include <string>

#include "com/RegistrationScope.h"
#include "com/RegistryKeyHandle.h"

// The classes of a registration scope, opened where they live. A registration never goes through
// HKEY_CLASSES_ROOT: that is a merged view, which writes into the user's classes wherever a key
// exists there, so that a machine-wide registration would land in one user's keys.

// Opens a key below the scope's classes ("" for the classes key itself). The access may name a
// registry view (KEY_WOW64_32KEY, KEY_WOW64_64KEY); the path is then opened whole from the root
// key, because a view named for a key opened below another is not honoured everywhere.
LSTATUS OpenClassesKey(RegistrationScope scope, const std::wstring& subkey, REGSAM access,
                       RegistryKeyHandle& key);
// The same, creating the key when it is missing.
LSTATUS CreateClassesKey(RegistrationScope scope, const std::wstring& subkey, REGSAM access,
                         RegistryKeyHandle& key);

// Removes a key below the scope's classes with all it holds, in a registry view (0 for the
// process's own). A key that is not there is no failure.
HRESULT DeleteClassesTree(RegistrationScope scope, const std::wstring& parent,
                          const std::wstring& name, REGSAM view);

// HKEY_CLASSES_ROOT of this process standing for the scope's classes while the object lives, for
// the system's calls that write through it (type library registration, the category manager).
// Afterwards it is the process's own merged view again.
class ClassesRootOverride {
public:
    explicit ClassesRootOverride(RegistrationScope scope);
    ~ClassesRootOverride();
    ClassesRootOverride(const ClassesRootOverride&) = delete;
    ClassesRootOverride& operator=(const ClassesRootOverride&) = delete;

    HRESULT Result() const { return result_; }

private:
    RegistryKeyHandle classes_;
    HRESULT result_;
};

// A system call that writes through HKEY_CLASSES_ROOT, made with it standing for the scope's
// classes; the failure to put them there is returned instead.
template <class Call> HRESULT CallWithClassesRoot(RegistrationScope scope, Call call) {
    const ClassesRootOverride classes(scope);
    return FAILED(classes.Result()) ? classes.Result() : call();
}
