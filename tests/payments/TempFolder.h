#pragma once
// A folder of its own for one test's files, removed with everything in it at the end.
#include <string>

class TempFolder {
public:
    // A new folder under the given parent (the temporary folder when empty).
    explicit TempFolder(const std::string& parent = std::string());
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing backslash.
    const std::string& Path() const { return path_; }
    // A path inside the folder.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    // The folder's own name.
    std::string Name() const;

private:
    std::string path_;
};

// The bytes of a file as stored (carriage returns included); empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
