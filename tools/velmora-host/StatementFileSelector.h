#pragma once
#include "tools/velmora-host/HostObject.h"

#include <VelmoraBankReconciliation.h>

#include <memory>
#include <string>
#include <vector>

// What the user does in the statement file selector, and what the selector saw.
struct SelectorState {
    std::wstring statementPath; // the file the user chooses
    bool cancel = false;        // the user chooses nothing instead

    bool recognizerGiven = false;
    // One text per choice: the description the recognition function gave, or why there is none.
    std::vector<std::string> choices;
};

// The host's statement file selector (IVelmoraStatementFileSelector). The user's choice is
// made when the component first asks for the outcome or the path: the selector runs the
// component's recognition function on the chosen file, as it would to list the file, and
// notes its description. An unrecognised file is still handed over, so the component's own
// check of the file can be seen at work.
class HostStatementFileSelector : public SingleInterfaceObject<IVelmoraStatementFileSelector> {
public:
    explicit HostStatementFileSelector(std::shared_ptr<SelectorState> state)
        : state_(std::move(state)) {}

    HRESULT STDMETHODCALLTYPE SetRecognizer(void* recognizer) override;
    HRESULT STDMETHODCALLTYPE GetOutcome(long* outcome) override;
    HRESULT STDMETHODCALLTYPE GetChosenPath(BSTR* path) override;

    // Outcome of a cancelled choice.
    static constexpr long NothingChosen = 1;

private:
    void Choose();

    std::shared_ptr<SelectorState> state_;
    VelmoraStatementRecognizer recognizer_ = nullptr;
    bool chosen_ = false;
};
