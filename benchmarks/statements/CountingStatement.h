#pragma once
// A host statement for measuring: it counts and sums what it receives and keeps nothing else.
#include <VelmoraBankReconciliation.h>

#include "com/ComPtr.h"

struct StatementTotals {
    long transactions = 0;
    long lastSequenceNumber = 0;
    long credits = 0;
    double amount = 0.0;
    double dates = 0.0;
    unsigned long textLength = 0;
};

ComPtr<IVelmoraBankStatement> MakeCountingStatement(StatementTotals& totals);
