#pragma once
#include <string>
#include <vector>

// The host's commands. Each takes the arguments after the command's name, prints its report
// and returns the process exit code; a failure that ends it early is thrown as HostFailure.
int RunListCommand(const std::vector<std::wstring>& arguments);
int RunExportCommand(const std::vector<std::wstring>& arguments);
int RunImportCommand(const std::vector<std::wstring>& arguments);
