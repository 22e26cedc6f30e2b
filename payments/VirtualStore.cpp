#include "payments/VirtualStore.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "calendar/UserInteraction.h"

namespace {

bool BeginsWithDrive(const char* path) {
    const char letter = path[0];
    return ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) && path[1] == ':';
}

void OpenFolderOf(const CString& path) {
    const int lastBackslash = path.FindLast('\\');
    const CString folder = path.Head(lastBackslash < 0 ? 0 : lastBackslash);
    ShellExecuteA(nullptr, "open", folder.Text(), nullptr, nullptr, SW_SHOWDEFAULT);
}

} // namespace

bool HasAdministrativeRights() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_USERS, "S-1-5-19", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

CString RedirectedPath(const char* chosenPath) {
    char localData[MAX_PATH] = {};
    if (!BeginsWithDrive(chosenPath) ||
        FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                localData))) {
        return CString();
    }
    CString redirected(localData);
    redirected.Append("\\virtualstore");
    redirected.Append(chosenPath + 2);
    return redirected;
}

PaymentFile OpenPaymentFile(const char* chosenPath, const CString& redirectedPath,
                            bool administrativeRights) {
    PaymentFile file = PaymentFile::Open(chosenPath, "w+");
    if (!file && !administrativeRights && redirectedPath.Length() > 0) {
        file = PaymentFile::Open(redirectedPath.Text(), "w+");
    }
    return file;
}

void ShowRedirectNotice(const CString& redirectedPath, bool administrativeRights) {
    if (administrativeRights || redirectedPath.Length() == 0) {
        return;
    }
    const PaymentFile existing = PaymentFile::Open(redirectedPath.Text(), "r+");
    if (!existing) {
        return;
    }
    CString text("Due to Windows Redirect your file was saved to: ");
    text.Append(redirectedPath);
    text.Append("\n\nWould you like to open the directory?");
    if (CurrentUserInteraction().ShowMessage(nullptr, text.Text(), "Windows Redirect", MB_YESNO) ==
        IDYES) {
        OpenFolderOf(redirectedPath);
    }
}
