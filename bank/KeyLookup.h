#pragma once
#include <windows.h>
#include <oaidl.h>

#include <functional>

// Reads the display name of the element at a position.
using ElementNameReader = std::function<HRESULT(int index, BSTR* name)>;

// The position a collection key selects among count elements, or -1:
// - a text (VT_BSTR, also by reference) selects the first element whose name equals it exactly
//   (VarBstrCmp, user's default locale, case-sensitive); texts are never read as numbers;
// - a number of any integer or real type, currency, date or decimal (also by reference) is
//   converted to a 32-bit integer, fractions rounded; it selects that position when it is below
//   count (a negative one is returned for the caller to refuse);
// - a variant passed by reference is looked up by what it holds;
// - nothing, an omitted argument (VT_ERROR), VT_NULL, booleans, objects and arrays select none.
long FindKeyIndex(const VARIANT* key, int count, const ElementNameReader& nameAt);
