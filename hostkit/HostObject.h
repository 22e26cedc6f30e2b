#pragma once
#include "com/ComPtr.h"
#include "hostkit/HostControl.h"
#include "hostkit/HostTypeLibraries.h"
#include "hostkit/SingleInterfaceObject.h"
#include "hostkit/TypeInfoDispatch.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

// A host object implements one host interface on SingleInterfaceObject: the host's objects live
// in its single apartment. It counts itself among the live objects of its control, and reports
// its calls there under its name (see HostControl). An object made without a control has one of
// its own that watches nothing.
template <typename Interface> class HostObject : public SingleInterfaceObject<Interface> {
protected:
    HostObject(std::shared_ptr<HostControl> control, std::string name)
        : control_(control ? std::move(control) : std::make_shared<HostControl>()),
          name_(std::move(name)) {
        control_->Created();
    }
    ~HostObject() override { control_->Destroyed(name_); }

    // Records a call of this object; the failure chosen for it, if any.
    template <typename... Describe>
    std::optional<HRESULT> Enter(const char* operation, Describe... argument) {
        return control_->Enter(name_, operation, argument...);
    }
    const std::shared_ptr<HostControl>& Control() const { return control_; }
    const std::string& Name() const { return name_; }

private:
    std::shared_ptr<HostControl> control_;
    std::string name_;
};

// A host object whose interface is dual: late-bound calls are served from the interface's
// description in the host's type libraries. Without those libraries only early binding works
// and the IDispatch operations report that they are not implemented.
template <typename Interface>
class DispatchObject : public TypeInfoDispatch<Interface, HostObject<Interface>> {
protected:
    DispatchObject(std::shared_ptr<HostControl> control, std::string name)
        : TypeInfoDispatch<Interface, HostObject<Interface>>(
              HostTypeLibraries::InterfaceTypeInfo(__uuidof(Interface)), std::move(control),
              std::move(name)) {}
};

// Creates a host object and hands out its first reference.
template <typename Object, typename... Arguments>
ComPtr<Object> MakeHostObject(Arguments&&... arguments) {
    return ComPtr<Object>::Share(new Object(std::forward<Arguments>(arguments)...));
}

// A failure chosen for a call: the out-parameter is left empty and the result given.
template <typename Value> HRESULT AnswerFailure(HRESULT result, Value* out) {
    if (out != nullptr) {
        *out = Value{};
    }
    return result;
}
