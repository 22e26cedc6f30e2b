#pragma once
#include <string>

// Leaves an error object with the given description on the thread, as a host object does when
// it describes a failure it returns.
void LeaveErrorObject(const std::wstring& description);
