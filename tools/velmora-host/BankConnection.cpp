#include "tools/velmora-host/BankConnection.h"

#include "com/Variant.h"
#include "hostkit/TextConversion.h"
#include "tools/velmora-host/HostSession.h"

#include <comcat.h>

ComPtr<IVelmoraBank> CreateRegisteredBank() {
    ComPtr<ICatInformation> categories;
    CheckComponentCall(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr,
                                        CLSCTX_INPROC_SERVER, IID_ICatInformation,
                                        categories.OutVoid()),
                       "creating the component category manager");
    CATID bankComponents = CATID_VelmoraBankComponents;
    ComPtr<IEnumCLSID> classes;
    CheckComponentCall(
        categories->EnumClassesOfCategories(1, &bankComponents, 0, nullptr, classes.Out()),
        "listing the bank component classes");
    CLSID classId{};
    HRESULT lastFailure = S_OK;
    while (classes->Next(1, &classId, nullptr) == S_OK) {
        ComPtr<IVelmoraBank> bank;
        lastFailure = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IVelmoraBank,
                                       bank.OutVoid());
        if (SUCCEEDED(lastFailure)) {
            return bank;
        }
    }
    if (FAILED(lastFailure)) {
        CheckComponentCall(lastFailure, "creating the bank component");
    }
    throw HostFailure("no bank component is registered (register Corvane.dll with regsvr32)",
                      ExitComponentFailed);
}

namespace {

ComPtr<IVelmoraBankServices> ServicesListOf(IVelmoraBank* bank) {
    ComPtr<IVelmoraBankServices> services;
    CheckComponentCall(bank->get_Services(services.Out()), "asking the bank for its services");
    return services;
}

} // namespace

std::vector<ComPtr<IVelmoraBankService>> ServicesOf(IVelmoraBank* bank) {
    const ComPtr<IVelmoraBankServices> services = ServicesListOf(bank);
    long count = 0;
    CheckComponentCall(services->get_Count(&count), "counting the services");
    std::vector<ComPtr<IVelmoraBankService>> found;
    for (long position = 0; position < count; ++position) {
        Variant key;
        key.Get()->vt = VT_I4;
        key.Get()->lVal = position;
        ComPtr<IVelmoraBankService> service;
        CheckComponentCall(services->Item(key.Get(), service.Out()),
                           "asking for the service at position " + std::to_string(position));
        found.push_back(service);
    }
    return found;
}

int EnumeratedServiceCount(IVelmoraBank* bank) {
    ComPtr<IUnknown> enumeratorObject;
    CheckComponentCall(ServicesListOf(bank)->get_NewEnum(enumeratorObject.Out()),
                       "asking the services for an enumerator");
    const ComPtr<IEnumVARIANT> enumerator = enumeratorObject.As<IEnumVARIANT>(IID_IEnumVARIANT);
    if (!enumerator) {
        throw HostFailure("the services enumerator is no IEnumVARIANT", ExitComponentFailed);
    }
    int count = 0;
    Variant item;
    ULONG fetched = 0;
    while (enumerator->Next(1, item.Out(), &fetched) == S_OK && fetched == 1) {
        if (item.Get()->vt != VT_DISPATCH || item.Get()->pdispVal == nullptr) {
            throw HostFailure("the services enumerator handed out something other than an "
                              "object",
                              ExitComponentFailed);
        }
        ++count;
    }
    return count;
}
