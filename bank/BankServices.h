#pragma once
#include <Corvane.h>

#include "bank/ListImpl.h"
#include "com/CoClass.h"
#include "com/SupportErrorInfo.h"

// The services list behind the dual interface Interface: built with the bank's two services.
template <class Interface>
class IBankServicesImpl : public CListImpl<IVelmoraBankService, Interface> {
protected:
    // The last step of construction: the payment service at position 0, the statement service at
    // position 1. A failure is the list's construction result.
    HRESULT BuildServices();
};

// The services list (coclass BankServices).
class CBankServices
    : public CoClass<CBankServices, &CLSID_BankServices, IBankServicesImpl<IBankServices>,
                     IDispatch, ISupportErrorInfoImpl<IBankServices>, IVelmoraBankServices> {
public:
    HRESULT FinalConstruct() { return BuildServices(); }
};
