// The growable array behind the services list.
#include <doctest/doctest.h>

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

long RaisedByAdding(CArray<int*, int*>& array) {
    try {
        array.Add(nullptr);
    } catch (long code) {
        return code;
    }
    return S_OK;
}

} // namespace

TEST_CASE("storage that cannot be allocated raises E_OUTOFMEMORY and leaves the array as it was") {
    SUBCASE("the allocator fails: nearly 2 GB of pointers in a 32-bit process") {
        CArray<int*, int*> array(0x1FFFFFFC);
        CHECK(RaisedByAdding(array) == E_OUTOFMEMORY);
        CHECK(array.GetCount() == 0);
        CHECK(array.GetCapacity() == 0);
    }
    SUBCASE("larger than any object can be") {
        CArray<int*, int*> array(0x20000000);
        CHECK(RaisedByAdding(array) == E_OUTOFMEMORY);
        CHECK(array.GetCount() == 0);
        CHECK(array.GetCapacity() == 0);
    }
}

TEST_CASE("a growth step below one grows one slot at a time") {
    CArray<int, int> array(0);
    CHECK(array.GrowBy == 1);
    array.Add(1);
    array.Add(2);
    CHECK(array.GetCapacity() == 2);
}
