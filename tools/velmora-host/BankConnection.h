#pragma once
#include "com/ComPtr.h"

#include <VelmoraEBanking.h>

#include <vector>

// The host framework's way to a bank component: the first class registered under the bank
// component category that can be created, and its services. Each throws HostFailure when the
// way is blocked.
ComPtr<IVelmoraBank> CreateRegisteredBank();

// The bank's services, by position in its services list.
std::vector<ComPtr<IVelmoraBankService>> ServicesOf(IVelmoraBank* bank);

// How many services the services list's enumerator walks through.
int EnumeratedServiceCount(IVelmoraBank* bank);

// The first of the bank's services that offers the interface Service.
template <typename Service> ComPtr<Service> FindService(IVelmoraBank* bank) {
    for (const ComPtr<IVelmoraBankService>& service : ServicesOf(bank)) {
        ComPtr<Service> found = service.template As<Service>(__uuidof(Service));
        if (found) {
            return found;
        }
    }
    return {};
}
