#pragma once
#include "hostkit/HostObject.h"

#include <VelmoraEBanking.h>

#include <string>

// The account details of a host bank account (IVelmoraBankDetails).
class HostBankDetails : public DispatchObject<IVelmoraBankDetails> {
public:
    HostBankDetails(std::wstring sortCode, std::wstring accountNumber,
                    std::shared_ptr<HostControl> control = {})
        : DispatchObject(std::move(control), "Details"), sortCode_(std::move(sortCode)),
          accountNumber_(std::move(accountNumber)) {}

    HRESULT STDMETHODCALLTYPE get_AccountNumber(BSTR* number) override;
    HRESULT STDMETHODCALLTYPE get_SortCode(BSTR* sortCode) override;

private:
    std::wstring sortCode_;
    std::wstring accountNumber_;
};

// A bank account kept by the host (IVelmoraBankAccount); its details are a new object each time.
class HostBankAccount : public DispatchObject<IVelmoraBankAccount> {
public:
    HostBankAccount(std::wstring sortCode, std::wstring accountNumber,
                    std::shared_ptr<HostControl> control = {})
        : DispatchObject(std::move(control), "Account"), sortCode_(std::move(sortCode)),
          accountNumber_(std::move(accountNumber)) {}

    HRESULT STDMETHODCALLTYPE get_Details(IVelmoraBankDetails** details) override;

private:
    std::wstring sortCode_;
    std::wstring accountNumber_;
};
