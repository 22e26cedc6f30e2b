// Defines the host framework's interface, class, library and category identifiers once.
#include <initguid.h>
#include <VelmoraEBanking.h>
#include <VelmoraBankPayments.h>
#include <VelmoraBankReconciliation.h>
