#pragma once
// What a writer puts into a file, read back whole.
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

template <typename Write> std::string WrittenBytes(Write write) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
    if (!file) {
        throw std::runtime_error("no temporary file");
    }
    write(file.get());
    std::rewind(file.get());
    std::string bytes;
    char buffer[4096];
    for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
        bytes.append(buffer, count);
    }
    return bytes;
}
