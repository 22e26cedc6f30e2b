#include "payments/ScriptedUser.h"

#include <cstring>

namespace {

std::vector<std::string> FilterEntries(const char* filter) {
    std::vector<std::string> entries;
    for (const char* entry = filter; entry != nullptr && *entry != '\0';
         entry += std::strlen(entry) + 1) {
        entries.emplace_back(entry);
    }
    return entries;
}

} // namespace

void ScriptedUser::Record(const std::string& event) {
    if (log_ != nullptr) {
        log_->push_back("user: " + event);
    }
}

int ScriptedUser::ShowMessage(HWND owner, const char* text, const char* caption, UINT style) {
    Record(std::string("message ") + caption);
    messages.push_back({owner, text, caption, style});
    return messageAnswer;
}

bool ScriptedUser::ChooseSaveFile(OPENFILENAMEA& request) {
    Record("save dialog");
    saveRequests.push_back({request.lpstrFile, FilterEntries(request.lpstrFilter),
                            request.nFilterIndex, request.lpstrDefExt != nullptr,
                            request.lpstrDefExt != nullptr ? request.lpstrDefExt : "",
                            request.Flags, request.nMaxFile, request.lpstrTitle});
    if (chooseFile) {
        lstrcpynA(request.lpstrFile, chosenPath.c_str(), static_cast<int>(request.nMaxFile));
    }
    return chooseFile;
}

PaymentFormatChoice ScriptedUser::ChoosePaymentFormat(HWND, PaymentFormat initial) {
    Record("format dialog");
    formatDialogs.push_back(initial);
    return formatAnswer;
}
