#pragma once
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

// What a test sees of the host's objects and does to them. All is off by default: no log, no
// failure; the objects only count themselves.
class HostControl {
public:
    // The call log, kept from now on: every call on a host object, in order, as
    // "Object.Operation" or "Object.Operation(argument)", "Object.Released" when an object
    // that its owner keeps is given back, and "Object.Destroyed" when an object goes.
    void KeepLog() { keepLog_ = true; }
    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // Places another party's event (the user's, say) among the calls, when the log is kept.
    void Note(const std::string& entry);

    // Fails a chosen call with the given result: every call of that name ("Batch.Item(2)", or
    // "Batch.Item" for each position), or the call that comes at a position of the log
    // (counting from 0; the log is kept from now on). The object answers the result without
    // doing the call's work and hands out nothing. A description leaves an error object on the
    // thread; a success result makes the call succeed with nothing handed out.
    void Fail(const std::string& call, HRESULT result, const std::wstring& description = {});
    void FailAt(std::size_t position, HRESULT result, const std::wstring& description = {});
    // Takes back every failure chosen so far.
    void Restore() { failures_.clear(); }

    // Whether objects that can describe their failures say so (ISupportErrorInfo); yes unless
    // turned off.
    bool ErrorInfoSupported() const { return errorInfoSupported_; }
    void SupportErrorInfo(bool supported) { errorInfoSupported_ = supported; }

    // Host objects alive now.
    int LiveObjects() const { return live_; }

    // For the host's objects: records a call and gives the failure chosen for it, if any.
    std::optional<HRESULT> Enter(const std::string& object, const char* operation) {
        return Watching()
                   ? Record(object + "." + operation, object.size() + 1 + std::strlen(operation))
                   : std::nullopt;
    }
    // The same with the call's argument, described only when it is recorded.
    template <typename Describe>
    std::optional<HRESULT> Enter(const std::string& object, const char* operation,
                                 Describe argument) {
        if (!Watching()) {
            return std::nullopt;
        }
        std::string call = object + "." + operation;
        const std::size_t nameLength = call.size();
        return Record(call + "(" + argument() + ")", nameLength);
    }
    void Created() { ++live_; }
    void Destroyed(const std::string& object);
    void Released(const std::string& object);

private:
    struct Failure {
        std::string call; // empty for a failure by position
        std::optional<std::size_t> position;
        HRESULT result;
        std::wstring description;
    };

    bool Watching() const { return keepLog_ || !failures_.empty(); }
    // The call is the entry; its name the first nameLength characters of it.
    std::optional<HRESULT> Record(const std::string& call, std::size_t nameLength);

    bool keepLog_ = false;
    bool errorInfoSupported_ = true;
    int live_ = 0;
    std::vector<std::string> log_;
    std::vector<Failure> failures_;
};
