#include "payments/SaveDialog.h"

#include <algorithm>
#include <commdlg.h>

#include "calendar/UserInteraction.h"
#include "platform/CodePage.h"

std::string BuildPaymentFileFilter(const char* extension) {
    std::string filter;
    if (*extension != '\0') {
        const std::string pattern = std::string("*.") + extension;
        filter = "Payment Files (" + pattern + ")|" + pattern + "|";
    }
    filter += "All Files (*.*)|*.*||";
    std::replace(filter.begin(), filter.end(), '|', '\0');
    return filter;
}

bool ChoosePaymentFile(const CString& initialPath, const char* extension, const std::string& filter,
                       CString& chosenPath) {
    // The longest path Windows takes (in its \\?\ form), terminator included.
    constexpr DWORD LongestPath = 32767;
    const std::wstring wideFilter = NarrowToWide(filter);
    const std::wstring wideExtension = NarrowToWide(extension);
    std::wstring file(LongestPath, L'\0');
    lstrcpynW(file.data(), NarrowToWide(initialPath.Text()).c_str(), MAX_PATH);
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = GetActiveWindow();
    request.lpstrFilter = wideFilter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = LongestPath;
    // A bank without an extension gets no default extension.
    request.lpstrDefExt = wideExtension.empty() ? nullptr : wideExtension.c_str();
    request.Flags =
        OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_ENABLESIZING;
    const SaveDialogEnd end = CurrentUserInteraction().ChooseSaveFile(request);
    // A path the code page cannot hold exactly, or that the buffer could not take, stays empty:
    // it names no file, so it cannot be opened, where its look-alike or a part of it would name
    // another file.
    chosenPath = end == SaveDialogEnd::Chosen ? WideToNarrowPath(file.c_str()).c_str() : "";
    return end != SaveDialogEnd::Cancelled;
}
