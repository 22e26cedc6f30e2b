#pragma once
#include <windows.h>
#include <oaidl.h>

// ISupportErrorInfo of a class whose error objects describe failures of one interface only.
template <class Interface> class ISupportErrorInfoImpl : public ISupportErrorInfo {
public:
    using AnsweredInterface = ISupportErrorInfo;

    STDMETHOD(InterfaceSupportsErrorInfo)(REFIID iid) override {
        return InlineIsEqualGUID(iid, __uuidof(Interface)) ? S_OK : S_FALSE;
    }
};
