#include "statements/StatementRecognizer.h"

#include <cstring>

#include "statements/NorthernBankTransactionFile.h"

static_assert(sizeof StatementFileDescription == 23, "the host allows 23 bytes");

int __cdecl RecognizeStatementFile(char* description, const char* path) {
    // Called by the host: nothing may escape to it.
    try {
        if (path == nullptr) {
            return 0;
        }
        CNorthernBankTransactionFile file(path, std::ios_base::in);
        if (!file.IsNorthernBankFile()) {
            return 0;
        }
        if (description != nullptr) {
            std::memcpy(description, StatementFileDescription, sizeof StatementFileDescription);
        }
        return 1;
    } catch (...) {
        return 0;
    }
}
