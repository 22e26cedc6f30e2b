#include "payments/InitialPath.h"

#include <windows.h>

#include "calendar/UserInteraction.h"

namespace {

bool FindsAnyEntry(const CString& pattern) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(pattern.Text(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

void ShowInvalidDefaultPath(const char* defaultDirectory) {
    CString text("The default payment directory (");
    text.Append(defaultDirectory);
    text.Append(") specified does not exist.  Please correct this within configuration for the "
                "specified banking component. The root directory (C:\\) will be used in the mean "
                "time.");
    CurrentUserInteraction().ShowMessage(GetActiveWindow(), text.Text(), "Invalid default path",
                                         MB_ICONERROR | MB_OK);
}

} // namespace

CString EnsureTrailingBackslash(const CString& path) {
    const int length = path.Length();
    if (length > 0 && path[length - 1] == '\\') {
        return path;
    }
    return path + "\\";
}

CString BuildInitialPath(const char* defaultFileName, const char* defaultDirectory) {
    const CString directory = EnsureTrailingBackslash(defaultDirectory);
    const CString pattern = directory + "*.*";
    // A drive A: without a disk is not worth a warning. Compared in the invariant locale, so
    // that neither the user's locale nor the process's can make another text equal to it.
    if (FindsAnyEntry(pattern) || CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, pattern.Text(),
                                                 -1, "A:\\*.*", -1) == CSTR_EQUAL) {
        return directory + defaultFileName;
    }
    ShowInvalidDefaultPath(defaultDirectory);
    return CString("C:\\") + defaultFileName;
}
