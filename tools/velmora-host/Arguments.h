#pragma once
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The options of one host command: "--name value" options and "--name" flags, each at most
// once. Anything else is refused with HostFailure (ExitUsage).
class Arguments {
public:
    Arguments(const std::vector<std::wstring>& arguments,
              std::initializer_list<const wchar_t*> valueOptions,
              std::initializer_list<const wchar_t*> flags);

    std::optional<std::wstring> Value(const wchar_t* name) const;
    // Throws HostFailure when the option is missing.
    std::wstring Required(const wchar_t* name) const;
    bool Flag(const wchar_t* name) const { return flags_.count(name) != 0; }
    // The option's value made a full path, as the component will open it from any folder.
    std::optional<std::wstring> FullPath(const wchar_t* name) const;

private:
    std::map<std::wstring, std::wstring> values_;
    std::set<std::wstring> flags_;
};
