#include "hostkit/ClassFactory.h"

#include "hostkit/HostObject.h"

#include <new>

namespace {

class ClassFactory : public HostObject<IClassFactory> {
public:
    ClassFactory(ClassRegistration::Creator create, std::shared_ptr<HostControl> control,
                 const std::string& name)
        : HostObject(std::move(control), name + "Class"), create_(std::move(create)) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        if (const auto failure = Enter("CreateInstance")) {
            return *failure;
        }
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        try {
            return create_(iid, out);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    ClassRegistration::Creator create_;
};

} // namespace

ClassRegistration::ClassRegistration(REFCLSID classId, const std::string& name, Creator create,
                                     std::shared_ptr<HostControl> control) {
    const ComPtr<ClassFactory> factory =
        MakeHostObject<ClassFactory>(std::move(create), std::move(control), name);
    result_ = CoRegisterClassObject(classId, factory.Get(), CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &cookie_);
}

ClassRegistration::~ClassRegistration() {
    if (SUCCEEDED(result_)) {
        CoRevokeClassObject(cookie_);
    }
}
