#include "hostkit/StatementFileSelector.h"

#include "hostkit/TextConversion.h"

#include <cstring>

HRESULT HostStatementFileSelector::SetRecognizer(void* recognizer) {
    if (const auto failure = Enter("SetRecognizer")) {
        return *failure;
    }
    if (recognizer == nullptr) {
        return E_POINTER;
    }
    // The component hands over the address of a variable that holds the function's address.
    recognizer_ = *static_cast<VelmoraStatementRecognizer*>(recognizer);
    state_->recognizerGiven = recognizer_ != nullptr;
    return S_OK;
}

// The buffer is filled with '#' beforehand, so that what the function leaves untouched shows.
void HostStatementFileSelector::LookAtCandidates() {
    for (const std::string& path : state_->candidates) {
        char description[64];
        std::memset(description, '#', sizeof description - 1);
        description[sizeof description - 1] = '\0';
        const int result = recognizer_ != nullptr ? recognizer_(description, path.c_str()) : 0;
        state_->recognitions.push_back({path, result, description});
    }
}

void HostStatementFileSelector::Choose() {
    if (chosen_) {
        return;
    }
    chosen_ = true;
    LookAtCandidates();
    if (state_->cancel) {
        state_->choices.push_back("the user chose no file");
        return;
    }
    if (recognizer_ == nullptr) {
        state_->choices.push_back("no recognition function was handed over");
        return;
    }
    // The function may write up to 23 bytes; the rest of the buffer stays zero, so a missing
    // terminator cannot run the text past the buffer.
    char description[256] = {};
    const std::string path = AnsiFromWide(state_->statementPath);
    if (recognizer_(description, path.c_str()) == 1) {
        const size_t length = strnlen(description, sizeof description - 1);
        state_->choices.push_back("recognised as \"" +
                                  Utf8FromWide(WideFromAnsi({description, length})) + "\"");
    } else {
        state_->choices.push_back("not recognised");
    }
}

HRESULT HostStatementFileSelector::GetOutcome(long* outcome) {
    if (const auto failure = Enter("GetOutcome")) {
        return AnswerFailure(*failure, outcome);
    }
    if (outcome == nullptr) {
        return E_POINTER;
    }
    Choose();
    *outcome = state_->cancel ? NothingChosen : 0;
    return S_OK;
}

HRESULT HostStatementFileSelector::GetChosenPath(BSTR* path) {
    if (const auto failure = Enter("GetChosenPath")) {
        return AnswerFailure(*failure, path);
    }
    Choose();
    return HandOutText(state_->cancel ? std::wstring() : state_->statementPath, path);
}
