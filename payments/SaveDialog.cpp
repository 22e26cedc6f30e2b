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
                       char (&chosenPath)[MAX_PATH]) {
    const std::wstring wideFilter = NarrowToWide(filter);
    const std::wstring wideExtension = NarrowToWide(extension);
    wchar_t file[MAX_PATH] = {};
    lstrcpynW(file, NarrowToWide(initialPath.Text()).c_str(), MAX_PATH);
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = GetActiveWindow();
    request.lpstrFilter = wideFilter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = MAX_PATH;
    // A bank without an extension gets no default extension.
    request.lpstrDefExt = wideExtension.empty() ? nullptr : wideExtension.c_str();
    request.Flags =
        OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_ENABLESIZING;
    if (!CurrentUserInteraction().ChooseSaveFile(request)) {
        return false;
    }
    // A path the code page cannot hold exactly, or that does not fit, stays empty: it names no
    // file, so it cannot be opened, where its look-alike would name another file.
    if (WideToNarrowPath(file, chosenPath, MAX_PATH) == 0) {
        chosenPath[0] = '\0';
    }
    return true;
}
