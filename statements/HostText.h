#pragma once
#include <windows.h>
#include <oleauto.h>

#include "com/Bstr.h"
#include "text/CString.h"

// Converts texts for the host into one BSTR that it keeps. A text handed to the host stays the
// caller's and the host copies what it keeps, so the same BSTR serves again for the next text
// of the same length, as the fixed-width fields of transactions are: no allocation per text.
class HostTextBuffer {
public:
    // The text converted from the ANSI code page, valid until the next call. Raises
    // E_OUTOFMEMORY when a BSTR cannot be allocated.
    BSTR Hold(const CString& text);

private:
    Bstr text_;
};
