#include "hostkit/HostControl.h"

#include "hostkit/ErrorObject.h"

void HostControl::Note(const std::string& entry) {
    if (keepLog_) {
        log_.push_back(entry);
    }
}

void HostControl::Fail(const std::string& call, HRESULT result, const std::wstring& description) {
    failures_.push_back({call, std::nullopt, result, description});
}

void HostControl::FailAt(std::size_t position, HRESULT result, const std::wstring& description) {
    keepLog_ = true;
    failures_.push_back({{}, position, result, description});
}

void HostControl::Destroyed(const std::string& object) {
    --live_;
    if (keepLog_) {
        log_.push_back(object + ".Destroyed");
    }
}

void HostControl::Released(const std::string& object) {
    if (keepLog_) {
        log_.push_back(object + ".Released");
    }
}

std::optional<HRESULT> HostControl::Record(const std::string& call, std::size_t nameLength) {
    const std::size_t position = log_.size();
    Note(call);
    for (const Failure& failure : failures_) {
        const bool chosen =
            failure.position ? *failure.position == position
                             : failure.call == call || failure.call == call.substr(0, nameLength);
        if (chosen) {
            if (!failure.description.empty()) {
                LeaveErrorObject(failure.description);
            }
            return failure.result;
        }
    }
    return std::nullopt;
}
