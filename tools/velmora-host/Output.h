#pragma once
#include "hostkit/HostConfiguration.h"
#include "tools/velmora-host/ScriptedUser.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// The host's reports. A command collects what it saw into one JSON object; it is printed as
// that object (--json) or as lines for a person. Output is UTF-8.

nlohmann::json MessageBoxesJson(const std::vector<SeenMessageBox>& boxes);
nlohmann::json ConfigurationCallsJson(const std::vector<ConfigurationCall>& calls);

void PrintListReport(const nlohmann::json& report, bool asJson);
void PrintExportReport(const nlohmann::json& report, bool asJson);
void PrintImportReport(const nlohmann::json& report, bool asJson);

// A message for the user on the error stream.
void PrintError(const std::string& message);

// A field of comma-separated output: enclosed in double quotes, inner quotes doubled.
std::string CsvQuoted(const std::string& text);
