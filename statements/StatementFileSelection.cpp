#include "statements/StatementFileSelection.h"

#include <VelmoraBankReconciliation.h>

#include "com/Bstr.h"
#include "hostcall/BankNames.h"
#include "hostcall/ComError.h"
#include "hostcall/HostObjectCreation.h"
#include "platform/CodePage.h"
#include "statements/StatementRecognizer.h"

namespace {

// Sizes of the buffers the configuration object's statement-settings call takes.
constexpr int BankNameSize = 100;
constexpr int StatementSettingsSize = 400;

// The selector's outcome when the user chose a file.
constexpr long FileChosen = 0;

void AskStatementSettings(IVelmoraBankConfiguration* configuration) {
    if (configuration == nullptr) {
        RaiseMissingHostObject();
    }
    char bankName[BankNameSize];
    CopyBankName(bankName, BankNameSize);
    // The host may fill the settings; the component does not use them.
    char settings[StatementSettingsSize] = {};
    CheckHostCall(configuration->GetStatementSettings(bankName, settings), configuration,
                  IID_IVelmoraBankConfiguration);
}

bool ChoosePath(IVelmoraStatementFileSelector* selector, char (&path)[StatementPathSize]) {
    if (selector == nullptr) {
        RaiseMissingHostObject();
    }
    VelmoraStatementRecognizer recognizer = &RecognizeStatementFile;
    CheckHostCall(selector->SetRecognizer(&recognizer), selector,
                  IID_IVelmoraStatementFileSelector);

    // A selector that gives no outcome has had no file chosen.
    long outcome = -1;
    selector->GetOutcome(&outcome);
    Bstr chosenPath;
    selector->GetChosenPath(chosenPath.Out());
    if (outcome != FileChosen) {
        return false;
    }
    const wchar_t* const chosen = chosenPath.Get() != nullptr ? chosenPath.Get() : L"";
    // A path that the code page cannot hold exactly stays empty: it names no file, so it is
    // read as a file that cannot be opened.
    const int size = WideToNarrowPath(chosen, nullptr, 0);
    // A longer path would name another file once cut to the buffer.
    if (size > StatementPathSize) {
        throw static_cast<long>(E_INVALIDARG);
    }
    if (size > 0) {
        WideToNarrowPath(chosen, path, StatementPathSize);
    }
    return true;
}

} // namespace

bool SelectStatementFile(char (&path)[StatementPathSize]) {
    // Declared first so that it goes last: the selector is released before it.
    ComPtr<IVelmoraBankConfiguration> configuration;
    const ComPtr<IVelmoraStatementFileSelector> selector =
        CreateHostObject<IVelmoraStatementFileSelector>(CLSID_VelmoraStatementFileSelector,
                                                        IID_IVelmoraStatementFileSelector);
    configuration = CreateHostObject<IVelmoraBankConfiguration>(CLSID_VelmoraBankConfiguration,
                                                                IID_IVelmoraBankConfiguration);
    path[0] = '\0';
    AskStatementSettings(configuration.Get());
    return ChoosePath(selector.Get(), path);
}
