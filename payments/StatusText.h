#pragma once
// The messages of payment status codes, from the component's string table (entry 300 + code).
#include <windows.h>
#include <oleauto.h>

#include "text/CString.h"

// Fills text with the message of a status code and tells whether there is one. Codes 0 to 35
// are looked up; any other code, negative ones included, has no message and leaves text as it
// was.
bool LoadStatusText(long code, CString& text);

// The payment service's GetStatusText: a new BSTR with the message of the code, owned by the
// caller; nothing is written when the code has no message. Raises E_INVALIDARG for a null out
// pointer and E_OUTOFMEMORY when the BSTR cannot be allocated. Returns S_OK.
HRESULT WritePaymentStatusText(long code, BSTR* text);
