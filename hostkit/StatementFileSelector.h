#pragma once
#include "hostkit/HostObject.h"

#include <VelmoraBankReconciliation.h>

#include <memory>
#include <string>
#include <vector>

// The recognition function's answer about one file the user looked at.
struct Recognition {
    std::string path;
    int result;
    std::string description; // the description buffer as the function left it
};

// What the user does in the statement file selector, and what the selector saw.
struct SelectorState {
    std::vector<std::string> candidates; // files the user looks at before choosing
    std::wstring statementPath;          // the file the user chooses
    bool cancel = false;                 // the user chooses nothing instead

    bool recognizerGiven = false;
    // The recognition function's answer about each candidate, in order.
    std::vector<Recognition> recognitions;
    // One text per choice: the description the recognition function gave, or why there is none.
    std::vector<std::string> choices;
};

// The host's statement file selector (IVelmoraStatementFileSelector). The user's choice is
// made when the component first asks for the outcome or the path: the selector runs the
// component's recognition function on each candidate the user looks at, and on the chosen
// file, as it would to list the files, and notes the descriptions. An unrecognised file is still
// handed over, so the component's own check of the file can be seen at work.
class HostStatementFileSelector : public HostObject<IVelmoraStatementFileSelector> {
public:
    explicit HostStatementFileSelector(std::shared_ptr<SelectorState> state,
                                       std::shared_ptr<HostControl> control = {})
        : HostObject(std::move(control), "Selector"), state_(std::move(state)) {}

    HRESULT STDMETHODCALLTYPE SetRecognizer(void* recognizer) override;
    HRESULT STDMETHODCALLTYPE GetOutcome(long* outcome) override;
    HRESULT STDMETHODCALLTYPE GetChosenPath(BSTR* path) override;

    // Outcome of a cancelled choice.
    static constexpr long NothingChosen = 1;

private:
    void Choose();
    void LookAtCandidates();

    std::shared_ptr<SelectorState> state_;
    VelmoraStatementRecognizer recognizer_ = nullptr;
    bool chosen_ = false;
};
