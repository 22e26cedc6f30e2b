// The growable array behind the services list.
#include <doctest/doctest.h>

#include <cstddef>

#include "bank/CArray.h"

TEST_CASE("the array grows by whole multiples of its growth step, keeping its elements") {
    CArray<int, int> array(8);
    CHECK(array.GetCount() == 0);
    CHECK(array.GetCapacity() == 0);
    array.Add(100);
    CHECK(array.GetCount() == 1);
    CHECK(array.GetCapacity() == 8);
    for (int i = 1; i < 8; ++i) {
        array.Add(100 + i);
    }
    CHECK(array.GetCapacity() == 8);
    array.Add(108);
    CHECK(array.GetCount() == 9);
    CHECK(array.GetCapacity() == 16);
    for (int i = 0; i < 9; ++i) {
        CHECK(array[i] == 100 + i);
    }
}

TEST_CASE("RemoveAll frees the storage") {
    CArray<int, int> array(8);
    array.Add(1);
    array.RemoveAll();
    CHECK(array.GetCount() == 0);
    CHECK(array.GetCapacity() == 0);
    array.Add(2);
    CHECK(array[0] == 2);
    CHECK(array.GetCapacity() == 8);
}

namespace {

// An element of a fixed size, so that a few of them reach the limits of the process. Copying one
// reads nothing: the cases below hold no real element of such a size.
template <std::size_t Size> struct Block {
    Block& operator=(const Block&) { return *this; }
    char bytes[Size];
};

template <class Element> void CheckAddingFails(int growBy) {
    CArray<Element, const Element&> array(growBy);
    // The array refuses to grow before it copies the element.
    alignas(std::max_align_t) static const char storage[sizeof(std::max_align_t)] = {};
    const Element& element = *reinterpret_cast<const Element*>(storage);
    long raised = S_OK;
    try {
        array.Add(element);
    } catch (long code) {
        raised = code;
    }
    CHECK(raised == E_OUTOFMEMORY);
    CHECK(array.GetCount() == 0);
    CHECK(array.GetCapacity() == 0);
}

} // namespace

TEST_CASE("storage that cannot be allocated raises E_OUTOFMEMORY and leaves the array as it was"){
#ifdef _WIN64
    SUBCASE("the allocator fails: 2 PB of 1 MB elements, beyond a 64-bit address space"){
        CheckAddingFails<Block<0x100000>>(0x7FFFFFFF);
}
SUBCASE("larger than any object can be: 2^30 elements of 8 GB") {
    CheckAddingFails<Block<0x200000000>>(0x40000000);
}
#else
    SUBCASE("the allocator fails: nearly 2 GB of pointers in a 32-bit process"){
        CheckAddingFails<int*>(0x1FFFFFFC);
}
SUBCASE("larger than any object can be: 2 GB of pointers") {
    CheckAddingFails<int*>(0x20000000);
}
#endif
}

TEST_CASE("a growth step below one grows one slot at a time") {
    CArray<int, int> array(0);
    CHECK(array.GrowBy == 1);
    array.Add(1);
    array.Add(2);
    CHECK(array.GetCapacity() == 2);
}
