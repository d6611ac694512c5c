#pragma once
// Array: an owning array of a set number of elements, all constructed; the number changes
// only through SetCount. Indexing outside 0 .. Count() - 1 is an internal error (module core).

#include "core/Fatal.h"
#include "core/OutOfMemory.h"
#include "core/Vector.h"

#include <new>
#include <utility>

template <typename T>
class Array {
public:
    constexpr Array() {}
    // n default-constructed elements (none for n < 1).
    explicit Array(int n) { SetCount(n); }
    Array(const Array& other) { copyFrom(other); }
    Array(Array&& other) noexcept : items_(other.items_), count_(other.count_)
    {
        other.items_ = nullptr;
        other.count_ = 0;
    }
    ~Array() { Clear(); }
    Array& operator=(const Array& other)
    {
        if (this != &other) {
            Clear();
            copyFrom(other);
        }
        return *this;
    }
    Array& operator=(Array&& other) noexcept
    {
        if (this != &other) {
            Clear();
            items_ = other.items_;
            count_ = other.count_;
            other.items_ = nullptr;
            other.count_ = 0;
        }
        return *this;
    }

    int Count() const { return count_; }
    bool IsEmpty() const { return count_ < 1; }
    T& At(int i) { check(i); return items_[i]; }
    const T& At(int i) const { check(i); return items_[i]; }
    T& operator[](int i) { return At(i); }
    const T& operator[](int i) const { return At(i); }
    T* begin() { return items_; }
    T* end() { return items_ + count_; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + count_; }

    // n < 1: Clear(). Otherwise Count() becomes n, keeping the first min(old, n) elements;
    // new elements are default-constructed (zero for plain values).
    void SetCount(int n)
    {
        if (n < 1) {
            Clear();
            return;
        }
        if (n == count_)
            return;
        T* fresh = static_cast<T*>(allocateElements(nullptr, n, sizeof(T)));
        int kept = n < count_ ? n : count_;
        for (int k = 0; k < kept; ++k)
            new (fresh + k) T(std::move(items_[k]));
        for (int k = kept; k < n; ++k)
            new (fresh + k) T();
        Clear();
        items_ = fresh;
        count_ = n;
    }
    // Destroys every element and releases the array.
    void Clear()
    {
        for (int k = 0; k < count_; ++k)
            items_[k].~T();
        releaseMemory(items_);
        items_ = nullptr;
        count_ = 0;
    }

private:
    void check(int i) const
    {
        if (static_cast<unsigned>(i) >= static_cast<unsigned>(count_))
            internalError("core", __LINE__);
    }
    void copyFrom(const Array& other)
    {
        if (other.count_ < 1)
            return;
        items_ = static_cast<T*>(allocateElements(nullptr, other.count_, sizeof(T)));
        for (int k = 0; k < other.count_; ++k)
            new (items_ + k) T(other.items_[k]);
        count_ = other.count_;
    }

    T* items_ = nullptr;
    int count_ = 0;
};
