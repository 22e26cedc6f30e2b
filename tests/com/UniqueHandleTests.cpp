// Handles owned by one holder: released once, on every path.
#include <doctest/doctest.h>

#include <vector>

#include "com/UniqueHandle.h"

namespace {

int handles[2];
std::vector<int*> released;

void Release(int* handle) {
    released.push_back(handle);
}

} // namespace

TEST_CASE("a handle is released when its holder ends, and before another is written in its place") {
    released.clear();
    {
        const UniqueHandle<int*, Release> none;
        CHECK(none.Get() == nullptr);
        UniqueHandle<int*, Release> held(&handles[0]);
        *held.Out() = &handles[1];
        CHECK(released == std::vector<int*>{&handles[0]});
        CHECK(held.Get() == &handles[1]);
    }
    CHECK(released == std::vector<int*>{&handles[0], &handles[1]});
}
