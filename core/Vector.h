#pragma once
// Vector: an owning, bounds-checked, growable array. Element 0 .. Count() - 1.
//
// Two storages behind one interface, chosen by the element type:
//
// - Plain values (trivially copyable types: integers, pointers, enums, plain structs) live in
//   a slot array with free room on both sides of the elements, so that adding at either end
//   is cheap. When an element must be added to a full array, the capacity for the needed
//   count n becomes m = 3n/2, at least 6, while m stays within 2,048 slots (8 KB of 32-bit
//   slots); beyond that n + 2,048. A fresh buffer puts the first element at slot
//   (capacity - n) / 4. Capacity() and FirstSlot() show the layout.
// - Objects (String, records, lists) live in an array of constructed elements with spare
//   room at the end; elements are moved when the array grows or elements shift.
//
// At, operator[], First, Last and RemoveAt check 0 <= i < Count(): a wrong index is a fatal
// error "Vector<type>[index]\nmax_index = Count() - 1". Positions of insertions and ranges
// are clipped instead. Allocation failures go to the out-of-memory handler.

#include "core/OutOfMemory.h"
#include "core/TypeName.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

// Reports a wrong Vector index through fatalErrorf. Never returns.
[[noreturn]] void vectorIndexError(const char* signature, int index, int count);
// count elements of elementSize bytes: a new block, or block resized keeping its bytes.
// Never null; a size beyond the address space goes to the out-of-memory handler.
void* allocateElements(void* block, long long count, size_t elementSize);
// The capacity of a full slot array that must take n elements (see the header comment).
int grownSlotCapacity(int n);
// The capacity of a full object array that must take n elements: 3n/2, at least 6.
int grownObjectCapacity(int n);

template <typename T>
constexpr bool isSlotValue = std::is_trivially_copyable<T>::value;

template <typename T, bool Slots = isSlotValue<T>>
class Vector;

// ---------------------------------------------------------------- vector of plain values

template <typename T>
class Vector<T, true> {
public:
    constexpr Vector() {}
    Vector(const Vector& other) { copyFrom(other); }
    Vector(Vector&& other) noexcept { take(other); }
    ~Vector() { releaseMemory(buffer_); }
    Vector& operator=(const Vector& other)
    {
        if (this != &other) {
            Clear();
            copyFrom(other);
        }
        return *this;
    }
    Vector& operator=(Vector&& other) noexcept
    {
        if (this != &other) {
            Clear();
            take(other);
        }
        return *this;
    }

    int Count() const { return count_; }
    bool IsEmpty() const { return count_ < 1; }
    int Capacity() const { return capacity_; }
    // Slot of element 0 in the slot array.
    int FirstSlot() const { return first_; }

    // Element i; fatal unless 0 <= i < Count().
    T& At(int i) { check(i); return buffer_[first_ + i]; }
    const T& At(int i) const { check(i); return buffer_[first_ + i]; }
    T& operator[](int i) { return At(i); }
    const T& operator[](int i) const { return At(i); }
    T& First() { return At(0); }
    T& Last() { return At(count_ - 1); }
    const T& Last() const { return At(count_ - 1); }

    T* begin() { return buffer_ ? buffer_ + first_ : nullptr; }
    T* end() { return begin() + count_; }
    const T* begin() const { return buffer_ ? buffer_ + first_ : nullptr; }
    const T* end() const { return begin() + count_; }

    // Inserts value at i clipped to 0 .. Count(); returns the new element.
    T& InsertAt(int i, const T& value)
    {
        T copy = value;  // value may live in this vector's buffer
        T* slot = openSlot(clip(i, 0, count_));
        *slot = copy;
        return *slot;
    }
    T& Append(const T& value) { return InsertAt(count_, value); }
    T& Prepend(const T& value) { return InsertAt(0, value); }

    // Removes element i; fatal unless 0 <= i < Count(). The shorter side moves.
    void RemoveAt(int i)
    {
        check(i);
        closeGap(i, 1);
    }
    // Removes from .. to (inclusive), both clipped to 0 .. Count() - 1; nothing when the
    // clipped from lies behind to.
    void RemoveRange(int from, int to)
    {
        if (count_ < 1)
            return;
        from = clip(from, 0, count_ - 1);
        to = clip(to, 0, count_ - 1);
        if (from <= to)
            closeGap(from, to - from + 1);
    }
    // Moves element from to position to (both clipped); the ones between shift by one.
    void Move(int from, int to)
    {
        if (count_ < 2)
            return;
        from = clip(from, 0, count_ - 1);
        to = clip(to, 0, count_ - 1);
        if (from == to)
            return;
        T* base = buffer_ + first_;
        T moving = base[from];
        if (from < to)
            std::memmove(base + from, base + from + 1, bytes(to - from));
        else
            std::memmove(base + to + 1, base + to, bytes(from - to));
        base[to] = moving;
    }
    // Exchanges elements i and j; false (nothing changed) when either is outside.
    bool Swap(int i, int j)
    {
        if (i < 0 || i >= count_ || j < 0 || j >= count_)
            return false;
        T* base = buffer_ + first_;
        T t = base[i];
        base[i] = base[j];
        base[j] = t;
        return true;
    }
    // Turns the elements by k places: element i moves to (i + k) modulo Count(); negative k
    // turns the other way. Uses the free room when it suffices, else a new buffer.
    void Rotate(int k)
    {
        int n = count_;
        if (n < 2)
            return;
        int r = ((k % n) + n) % n;
        if (r == 0)
            return;
        T* base = buffer_ + first_;
        if (r <= first_) {
            std::memcpy(base - r, base + n - r, bytes(r));
            first_ -= r;
        } else if (n - r <= capacity_ - first_ - n) {
            std::memcpy(base + n, base, bytes(n - r));
            first_ += n - r;
        } else {
            T* fresh = static_cast<T*>(allocateElements(nullptr, capacity_, sizeof(T)));
            std::memcpy(fresh + first_, base + n - r, bytes(r));
            std::memcpy(fresh + first_ + r, base, bytes(n - r));
            releaseMemory(buffer_);
            buffer_ = fresh;
        }
    }
    // n < 1: Clear(). Otherwise Count() becomes n, keeping the first min(old, n) elements;
    // new elements are zero. When n exceeds the capacity, the capacity becomes max(6, 2n)
    // and element 0 goes to slot capacity / 4; otherwise to slot (capacity - n) / 2.
    void SetCount(int n)
    {
        if (n < 1) {
            Clear();
            return;
        }
        int kept = n < count_ ? n : count_;
        if (n > capacity_) {
            long long wanted = 2LL * n;
            int capacity = wanted < 6 ? 6 : (wanted > 0x7fffffff ? 0x7fffffff : int(wanted));
            T* fresh = static_cast<T*>(allocateElements(nullptr, capacity, sizeof(T)));
            int first = capacity / 4;
            if (kept > 0)
                std::memcpy(fresh + first, buffer_ + first_, bytes(kept));
            releaseMemory(buffer_);
            buffer_ = fresh;
            capacity_ = capacity;
            first_ = first;
        } else {
            int first = (capacity_ - n) / 2;
            if (kept > 0)
                std::memmove(buffer_ + first, buffer_ + first_, bytes(kept));
            first_ = first;
        }
        std::memset(static_cast<void*>(buffer_ + first_ + kept), 0, bytes(n - kept));
        count_ = n;
    }
    // Removes every element and releases the buffer.
    void Clear()
    {
        releaseMemory(buffer_);
        buffer_ = nullptr;
        count_ = first_ = capacity_ = 0;
    }
    // Index of the first element equal to value, or -1.
    int IndexOf(const T& value) const
    {
        for (int i = 0; i < count_; ++i)
            if (buffer_[first_ + i] == value)
                return i;
        return -1;
    }

private:
    static int clip(int v, int low, int high) { return v < low ? low : (v > high ? high : v); }
    static size_t bytes(int n) { return static_cast<size_t>(n) * sizeof(T); }
    void check(int i) const
    {
        if (static_cast<unsigned>(i) >= static_cast<unsigned>(count_))
            vectorIndexError(typeSignature<T>(), i, count_);
    }

    // Makes room for a new element i (0 <= i <= count) and returns its slot.
    T* openSlot(int i)
    {
        if (count_ == capacity_) {
            int capacity = grownSlotCapacity(count_ + 1);
            bool fresh = buffer_ == nullptr;
            buffer_ = static_cast<T*>(allocateElements(buffer_, capacity, sizeof(T)));
            if (fresh)
                first_ = (capacity - (count_ + 1)) / 4;
            capacity_ = capacity;
        }
        int room = capacity_ - count_;  // >= 1
        if (i == count_) {
            if (first_ + count_ >= capacity_) {
                int start = clip((room / 4) / 2, 0, room - 1);
                std::memmove(buffer_ + start, buffer_ + first_, bytes(count_));
                first_ = start;
            }
        } else if (i == 0) {
            if (first_ < 1) {
                int before = clip((room - 1) / 4, 0, room - 1);
                std::memmove(buffer_ + before + 1, buffer_ + first_, bytes(count_));
                first_ = before + 1;
            }
            --first_;
        } else {
            bool roomBehind = first_ + count_ < capacity_;
            if (first_ > 0 && (i < count_ / 2 || !roomBehind)) {
                std::memmove(buffer_ + first_ - 1, buffer_ + first_, bytes(i));
                --first_;
            } else {
                std::memmove(buffer_ + first_ + i + 1, buffer_ + first_ + i, bytes(count_ - i));
            }
        }
        ++count_;
        return buffer_ + first_ + i;
    }
    // Removes n elements at i (a valid range), moving the shorter side.
    void closeGap(int i, int n)
    {
        int behind = count_ - i - n;
        if (i < behind) {
            std::memmove(buffer_ + first_ + n, buffer_ + first_, bytes(i));
            first_ += n;
        } else {
            std::memmove(buffer_ + first_ + i, buffer_ + first_ + i + n, bytes(behind));
        }
        count_ -= n;
    }
    void copyFrom(const Vector& other)
    {
        if (!other.buffer_)
            return;
        buffer_ = static_cast<T*>(allocateElements(nullptr, other.capacity_, sizeof(T)));
        capacity_ = other.capacity_;
        first_ = other.first_;
        count_ = other.count_;
        std::memcpy(buffer_ + first_, other.buffer_ + first_, bytes(count_));
    }
    void take(Vector& other)
    {
        buffer_ = other.buffer_;
        count_ = other.count_;
        first_ = other.first_;
        capacity_ = other.capacity_;
        other.buffer_ = nullptr;
        other.count_ = other.first_ = other.capacity_ = 0;
    }

    int count_ = 0;
    T* buffer_ = nullptr;
    int first_ = 0;
    int capacity_ = 0;
};

// ---------------------------------------------------------------- vector of objects

template <typename T>
class Vector<T, false> {
public:
    constexpr Vector() {}
    Vector(const Vector& other) { copyFrom(other); }
    Vector(Vector&& other) noexcept { take(other); }
    ~Vector() { Clear(); }
    Vector& operator=(const Vector& other)
    {
        if (this != &other) {
            Clear();
            copyFrom(other);
        }
        return *this;
    }
    Vector& operator=(Vector&& other) noexcept
    {
        if (this != &other) {
            Clear();
            take(other);
        }
        return *this;
    }

    int Count() const { return count_; }
    bool IsEmpty() const { return count_ < 1; }

    // Element i; fatal unless 0 <= i < Count().
    T& At(int i) { check(i); return items_[i]; }
    const T& At(int i) const { check(i); return items_[i]; }
    T& operator[](int i) { return At(i); }
    const T& operator[](int i) const { return At(i); }
    T& First() { return At(0); }
    T& Last() { return At(count_ - 1); }
    const T& Last() const { return At(count_ - 1); }

    T* begin() { return items_; }
    T* end() { return items_ + count_; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + count_; }

    // Inserts a copy of value (or value itself, moved) at i clipped to 0 .. Count(); returns
    // the new element. value may be an element of this vector.
    T& InsertAt(int i, const T& value)
    {
        if (items_ && &value >= items_ && &value < items_ + count_) {
            T copy(value);
            return place(clip(i, 0, count_), std::move(copy));
        }
        return place(clip(i, 0, count_), value);
    }
    T& InsertAt(int i, T&& value)
    {
        if (items_ && &value >= items_ && &value < items_ + count_) {
            T copy(std::move(value));
            return place(clip(i, 0, count_), std::move(copy));
        }
        return place(clip(i, 0, count_), std::move(value));
    }
    T& Append(const T& value) { return InsertAt(count_, value); }
    T& Append(T&& value) { return InsertAt(count_, std::move(value)); }
    T& Prepend(const T& value) { return InsertAt(0, value); }
    T& Prepend(T&& value) { return InsertAt(0, std::move(value)); }

    // Removes element i; fatal unless 0 <= i < Count().
    void RemoveAt(int i)
    {
        check(i);
        closeGap(i, 1);
    }
    // Removes from .. to (inclusive), both clipped to 0 .. Count() - 1; nothing when the
    // clipped from lies behind to.
    void RemoveRange(int from, int to)
    {
        if (count_ < 1)
            return;
        from = clip(from, 0, count_ - 1);
        to = clip(to, 0, count_ - 1);
        if (from <= to)
            closeGap(from, to - from + 1);
    }
    // Moves element from to position to (both clipped); the ones between shift by one.
    void Move(int from, int to)
    {
        if (count_ < 2)
            return;
        from = clip(from, 0, count_ - 1);
        to = clip(to, 0, count_ - 1);
        if (from == to)
            return;
        T moving(std::move(items_[from]));
        if (from < to)
            for (int k = from; k < to; ++k)
                items_[k] = std::move(items_[k + 1]);
        else
            for (int k = from; k > to; --k)
                items_[k] = std::move(items_[k - 1]);
        items_[to] = std::move(moving);
    }
    // Exchanges elements i and j; false (nothing changed) when either is outside.
    bool Swap(int i, int j)
    {
        if (i < 0 || i >= count_ || j < 0 || j >= count_)
            return false;
        if (i != j)
            exchange(items_[i], items_[j]);
        return true;
    }
    // Turns the elements by k places: element i moves to (i + k) modulo Count(); negative k
    // turns the other way.
    void Rotate(int k)
    {
        int n = count_;
        if (n < 2)
            return;
        int r = ((k % n) + n) % n;
        if (r == 0)
            return;
        reverse(0, n - 1);
        reverse(0, r - 1);
        reverse(r, n - 1);
    }
    // n < 1: Clear(). Otherwise Count() becomes n: elements behind n are destroyed, new ones
    // are default-constructed.
    void SetCount(int n)
    {
        if (n < 1) {
            Clear();
            return;
        }
        if (n > capacity_)
            reallocate(n);
        for (int k = count_; k < n; ++k)
            new (items_ + k) T();
        for (int k = n; k < count_; ++k)
            items_[k].~T();
        count_ = n;
    }
    // Destroys every element and releases the array.
    void Clear()
    {
        for (int k = 0; k < count_; ++k)
            items_[k].~T();
        releaseMemory(items_);
        items_ = nullptr;
        count_ = capacity_ = 0;
    }
    // Index of the first element equal to value (operator==), or -1.
    int IndexOf(const T& value) const
    {
        for (int i = 0; i < count_; ++i)
            if (items_[i] == value)
                return i;
        return -1;
    }

private:
    static int clip(int v, int low, int high) { return v < low ? low : (v > high ? high : v); }
    static void exchange(T& a, T& b)
    {
        T t(std::move(a));
        a = std::move(b);
        b = std::move(t);
    }
    void check(int i) const
    {
        if (static_cast<unsigned>(i) >= static_cast<unsigned>(count_))
            vectorIndexError(typeSignature<T>(), i, count_);
    }
    void reverse(int a, int b)
    {
        for (; a < b; ++a, --b)
            exchange(items_[a], items_[b]);
    }
    // A new array of capacity elements; the elements move into it.
    void reallocate(int capacity)
    {
        T* fresh = static_cast<T*>(allocateElements(nullptr, capacity, sizeof(T)));
        for (int k = 0; k < count_; ++k) {
            new (fresh + k) T(std::move(items_[k]));
            items_[k].~T();
        }
        releaseMemory(items_);
        items_ = fresh;
        capacity_ = capacity;
    }
    // Puts value at i (0 <= i <= count); value is not an element of this vector.
    template <typename V>
    T& place(int i, V&& value)
    {
        if (count_ == capacity_)
            reallocate(grownObjectCapacity(count_ + 1));
        if (i == count_) {
            new (items_ + count_) T(std::forward<V>(value));
        } else {
            new (items_ + count_) T(std::move(items_[count_ - 1]));
            for (int k = count_ - 1; k > i; --k)
                items_[k] = std::move(items_[k - 1]);
            items_[i] = std::forward<V>(value);
        }
        ++count_;
        return items_[i];
    }
    // Removes n elements at i (a valid range).
    void closeGap(int i, int n)
    {
        for (int k = i; k + n < count_; ++k)
            items_[k] = std::move(items_[k + n]);
        for (int k = count_ - n; k < count_; ++k)
            items_[k].~T();
        count_ -= n;
    }
    void copyFrom(const Vector& other)
    {
        if (other.count_ < 1)
            return;
        items_ = static_cast<T*>(allocateElements(nullptr, other.count_, sizeof(T)));
        capacity_ = other.count_;
        for (int k = 0; k < other.count_; ++k)
            new (items_ + k) T(other.items_[k]);
        count_ = other.count_;
    }
    void take(Vector& other)
    {
        items_ = other.items_;
        count_ = other.count_;
        capacity_ = other.capacity_;
        other.items_ = nullptr;
        other.count_ = other.capacity_ = 0;
    }

    int count_ = 0;
    T* items_ = nullptr;
    int capacity_ = 0;
};
