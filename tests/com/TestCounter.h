#pragma once
// A small class built on the COM layer the way the component's classes are.
#include <ComLayerTest.h>

#include "com/CoClass.h"
#include "com/DispatchImpl.h"
#include "com/SupportErrorInfo.h"

class CCounter
    : public CoClass<CCounter, &CLSID_Counter, IDispatchImpl<ICounter, &LIBID_ComLayerTestLib>,
                     IDispatch, ISupportErrorInfoImpl<ICounter>, IResettable> {
public:
    CCounter() { ++Live; }
    ~CCounter() { --Live; }
    CCounter(const CCounter&) = delete;
    CCounter& operator=(const CCounter&) = delete;

    // Counters alive now: shows that every path destroys what it created.
    static inline int Live = 0;
    // What the next construction's FinalConstruct returns.
    static inline HRESULT NextConstructionResult = S_OK;

    HRESULT FinalConstruct();

    STDMETHOD(get_Value)(long* value) override;
    STDMETHOD(put_Value)(long value) override;
    STDMETHOD(Fail)(long code) override;
    STDMETHOD(Reset)() override;

private:
    long value_ = 0;
};

// The description of the error object Fail leaves.
constexpr const wchar_t* CounterFailureDescription = L"The counter failed";
