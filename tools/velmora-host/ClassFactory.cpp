#include "tools/velmora-host/ClassFactory.h"

#include "tools/velmora-host/HostObject.h"

#include <new>

namespace {

class ClassFactory : public SingleInterfaceObject<IClassFactory> {
public:
    explicit ClassFactory(ClassRegistration::Creator create) : create_(std::move(create)) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
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

ClassRegistration::ClassRegistration(REFCLSID classId, Creator create) {
    const ComPtr<ClassFactory> factory = MakeHostObject<ClassFactory>(std::move(create));
    result_ = CoRegisterClassObject(classId, factory.Get(), CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &cookie_);
}

ClassRegistration::~ClassRegistration() {
    if (SUCCEEDED(result_)) {
        CoRevokeClassObject(cookie_);
    }
}
