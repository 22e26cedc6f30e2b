#include "tools/velmora-host/Arguments.h"

#include "tools/velmora-host/HostSession.h"
#include "hostkit/TextConversion.h"

#include <windows.h>

#include <algorithm>

namespace {

bool Contains(std::initializer_list<const wchar_t*> names, const std::wstring& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const wchar_t* known) { return name == known; });
}

[[noreturn]] void Refuse(const std::string& message) {
    throw HostFailure(message, ExitUsage);
}

} // namespace

Arguments::Arguments(const std::vector<std::wstring>& arguments,
                     std::initializer_list<const wchar_t*> valueOptions,
                     std::initializer_list<const wchar_t*> flags) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& name = arguments[i];
        const std::string shown = Utf8FromWide(name);
        if (values_.count(name) != 0 || flags_.count(name) != 0) {
            Refuse("option " + shown + " is given twice");
        }
        if (Contains(flags, name)) {
            flags_.insert(name);
        } else if (Contains(valueOptions, name)) {
            if (i + 1 == arguments.size()) {
                Refuse("option " + shown + " needs a value");
            }
            values_[name] = arguments[++i];
        } else {
            Refuse("unknown option " + shown);
        }
    }
}

std::optional<std::wstring> Arguments::Value(const wchar_t* name) const {
    const auto found = values_.find(name);
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::wstring Arguments::Required(const wchar_t* name) const {
    std::optional<std::wstring> value = Value(name);
    if (!value) {
        Refuse("option " + Utf8FromWide(name) + " is required");
    }
    return *value;
}

std::optional<std::wstring> Arguments::FullPath(const wchar_t* name) const {
    std::optional<std::wstring> value = Value(name);
    if (!value) {
        return std::nullopt;
    }
    const DWORD size = GetFullPathNameW(value->c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(value->c_str(), size, full.data(), nullptr);
    if (size == 0 || length == 0 || length >= size) {
        Refuse("option " + Utf8FromWide(name) + ": " + Utf8FromWide(*value) + " is not a path");
    }
    full.resize(length);
    return full;
}
