#pragma once
// A file of given bytes in the temporary folder, removed at the end.
#include <string>

class ScratchFile {
public:
    explicit ScratchFile(const std::string& bytes);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const char* Path() const { return path_.c_str(); }

private:
    std::string path_;
};
