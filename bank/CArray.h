#pragma once
#include <windows.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

// A growable array of plain values (the list keeps interface pointers in one). It grows by whole
// multiples of GrowBy slots and never shrinks until RemoveAll; what its elements refer to is the
// owner's business.
template <class Element, class Argument = const Element&> class CArray {
public:
    explicit CArray(int growBy) : GrowBy(growBy > 0 ? growBy : 1) {}
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

    int GetCount() const { return count_; }
    int GetCapacity() const { return capacity_; }
    const Element& operator[](int index) const { return data_[index]; }

    // Appends at the end; raises E_OUTOFMEMORY when the array cannot grow, leaving it unchanged.
    void Add(Argument element) {
        GrowFor(1);
        data_[count_++] = element;
    }

    // Frees the storage: count and capacity 0.
    void RemoveAll() {
        data_.reset();
        capacity_ = 0;
        count_ = 0;
    }

    // Slots added at each growth.
    const int GrowBy;

private:
    void GrowFor(int added) {
        if (capacity_ - count_ >= added) {
            return;
        }
        std::int64_t missing = std::int64_t(count_) + added - capacity_;
        std::int64_t wanted = capacity_ + (missing + GrowBy - 1) / GrowBy * GrowBy;
        // Beyond the largest object the allocator can make, new[] would throw instead.
        if (wanted > INT_MAX || std::uint64_t(wanted) > PTRDIFF_MAX / sizeof(Element)) {
            throw static_cast<long>(E_OUTOFMEMORY);
        }
        std::unique_ptr<Element[]> grown(new (std::nothrow) Element[std::size_t(wanted)]());
        if (!grown) {
            throw static_cast<long>(E_OUTOFMEMORY);
        }
        for (int i = 0; i < count_; ++i) {
            grown[i] = data_[i];
        }
        data_ = std::move(grown);
        capacity_ = static_cast<int>(wanted);
    }

    int capacity_ = 0;
    int count_ = 0;
    std::unique_ptr<Element[]> data_;
};
