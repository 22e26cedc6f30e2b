#pragma once
// The host side of a statement import, written for the tests: a bank account with its details,
// a statement that keeps the transactions it is given, and the statement file selector and
// configuration classes, registered in this process so that the component's CoCreateInstance
// finds them. Every call is recorded in order.
#include <windows.h>

#include <VelmoraEBanking.h>
#include <VelmoraBankReconciliation.h>

#include <optional>
#include <string>
#include <vector>

#include "com/ComPtr.h"

// What the selector does when the component has handed it the recognition function.
struct SelectorSetup {
    // Files the user looks at: the selector asks the recognition function about each.
    std::vector<std::string> candidates;
    long outcome = 0;
    // Not set: the selector gives no path.
    std::optional<std::wstring> chosenPath;
    HRESULT setRecognizerResult = S_OK;
};

struct ConfigurationSetup {
    HRESULT settingsResult = S_OK;
    // Set on the thread, with ISupportErrorInfo answering yes, when the settings call fails.
    std::wstring errorDescription;
};

// The recognition function's answer about one candidate file.
struct Recognition {
    std::string path;
    int result;
    std::string description;
};

// The host's statement file selector and configuration classes, registered for the lifetime of
// the object on a single-threaded apartment it enters.
class TestHost {
public:
    explicit TestHost(bool registerSelector = true, bool registerConfiguration = true);
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    SelectorSetup selector;
    ConfigurationSetup configuration;

    // Calls on every host object of the test, in order: "Object.Operation", and
    // "Object.Destroyed" when an object goes.
    std::vector<std::string> calls;
    // The bank name buffer the configuration was given, all 100 bytes.
    std::string bankName;
    std::vector<Recognition> recognitions;

    // The host in place during a test.
    static TestHost& Current();

private:
    std::vector<DWORD> registrations_;
    TestHost* previous_;
};

// A transaction as the host received it.
struct ReceivedTransaction {
    VARTYPE sequenceType = VT_EMPTY;
    long sequenceNumber = 0;
    long credit = -1;
    double amount = 0.0;
    DATE date = 0.0;
    std::wstring reference;
    std::wstring narrative;
};

// The host's bank account with the details it gives (a text not set is given as no text).
struct AccountSetup {
    bool givesDetails = true;
    std::optional<std::wstring> accountNumber;
    std::optional<std::wstring> sortCode;
};
ComPtr<IVelmoraBankAccount> MakeTestAccount(const AccountSetup& setup);

// The host's statement: keeps every transaction it is given in received.
ComPtr<IVelmoraBankStatement> MakeTestStatement(std::vector<ReceivedTransaction>& received,
                                                bool givesTransactions = true);
