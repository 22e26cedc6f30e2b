#include "payments/SaveDialog.h"

#include <algorithm>
#include <commdlg.h>

#include "calendar/UserInteraction.h"

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
    lstrcpynA(chosenPath, initialPath.Text(), MAX_PATH);
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = GetActiveWindow();
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = chosenPath;
    request.nMaxFile = MAX_PATH;
    // A bank without an extension gets no default extension.
    request.lpstrDefExt = *extension != '\0' ? extension : nullptr;
    request.Flags =
        OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_ENABLESIZING;
    return CurrentUserInteraction().ChooseSaveFile(request);
}
