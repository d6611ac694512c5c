#pragma once
// RecordArray: an owning, growable array of the settings' record types (deletions,
// associations, uninstall values). Elements are default-constructed when appended and moved
// when the array grows; destroying or clearing the array destroys them. Not copyable.

#include "core/Fatal.h"
#include "core/OutOfMemory.h"

#include <new>

template <typename T>
class RecordArray {
public:
    RecordArray() {}
    ~RecordArray() { clear(); }
    RecordArray(const RecordArray&) = delete;
    RecordArray& operator=(const RecordArray&) = delete;

    int count() const { return count_; }
    bool isEmpty() const { return count_ == 0; }

    // Element i; an index outside 0..count-1 is an internal error.
    T& operator[](int i)
    {
        check(i);
        return items_[i];
    }
    const T& operator[](int i) const
    {
        check(i);
        return items_[i];
    }

    // Appends a default-constructed element and returns it (valid until the next append).
    T& append()
    {
        if (count_ == capacity_)
            reserve(capacity_ < 8 ? 8 : capacity_ * 2);
        T* item = new (items_ + count_) T();
        ++count_;
        return *item;
    }

    // Makes room for n elements in all without growing again; smaller n does nothing.
    void reserve(int n)
    {
        if (n <= capacity_)
            return;
        T* fresh = static_cast<T*>(allocateMemory(sizeof(T) * static_cast<size_t>(n)));
        for (int i = 0; i < count_; ++i) {
            new (fresh + i) T(static_cast<T&&>(items_[i]));
            items_[i].~T();
        }
        releaseMemory(items_);
        items_ = fresh;
        capacity_ = n;
    }

    // Destroys every element and releases the storage.
    void clear()
    {
        for (int i = 0; i < count_; ++i)
            items_[i].~T();
        releaseMemory(items_);
        items_ = nullptr;
        count_ = 0;
        capacity_ = 0;
    }

    T* begin() { return items_; }
    T* end() { return items_ + count_; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + count_; }

private:
    void check(int i) const
    {
        if (i < 0 || i >= count_)
            internalError("archive", __LINE__);
    }

    T* items_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
};
