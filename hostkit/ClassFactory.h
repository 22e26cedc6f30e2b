#pragma once
#include <windows.h>
#include <unknwn.h>

#include <functional>
#include <memory>
#include <string>

#include "hostkit/HostControl.h"

// Makes one of the host's classes creatable by class identifier inside the host's process, so
// that the component's CoCreateInstance finds it: registered with CoRegisterClassObject on
// construction, revoked on destruction. Its class object is named "<name>Class" in the log,
// and each creation is its call "CreateInstance".
class ClassRegistration {
public:
    // create: a new object, with one reference, queried for the requested interface.
    using Creator = std::function<HRESULT(REFIID iid, void** out)>;

    ClassRegistration(REFCLSID classId, const std::string& name, Creator create,
                      std::shared_ptr<HostControl> control = {});
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;

    // The result of CoRegisterClassObject.
    HRESULT Result() const { return result_; }

private:
    DWORD cookie_ = 0;
    HRESULT result_;
};

// Hands out a new object of class Object, created with the given arguments, for the interface
// requested; the creation's own reference is dropped again.
template <typename Object, typename... Arguments>
ClassRegistration::Creator CreatorOf(Arguments... arguments) {
    return [=](REFIID iid, void** out) {
        Object* object = new Object(arguments...);
        object->AddRef();
        const HRESULT result = object->QueryInterface(iid, out);
        object->Release();
        return result;
    };
}
