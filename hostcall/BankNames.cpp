#include "hostcall/BankNames.h"

#include <algorithm>
#include <cstring>

void CopyBankName(char* buffer, std::size_t size) {
    if (size == 0) {
        return;
    }
    std::memset(buffer, 0, size);
    std::memcpy(buffer, BankName, std::min(sizeof(BankName) - 1, size - 1));
}
