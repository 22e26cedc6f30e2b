#include "support/ScratchFile.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

ScratchFile::ScratchFile(const std::string& bytes) {
    const char* folder = std::getenv("TMPDIR");
    path_ = std::string(folder != nullptr ? folder : "/tmp") + "/corvane-XXXXXX";
    const int descriptor = mkstemp(path_.data());
    if (descriptor < 0) {
        throw std::runtime_error("no scratch file in " + path_);
    }
    const bool written =
        write(descriptor, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(descriptor);
    if (!written) {
        std::remove(path_.c_str());
        throw std::runtime_error("scratch file not written: " + path_);
    }
}

ScratchFile::~ScratchFile() {
    std::remove(path_.c_str());
}
