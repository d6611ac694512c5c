#pragma once
// Bucket<V, K>: one entry (key K, value V) of the hash map List<Bucket<V, K>>.
//
// The map keeps a table of bucket lists, each a chain of the entries whose key hashes to it,
// and one chain of all entries in the order their keys were first set. Iteration follows that
// order (oldest first; backwards from Last()), never the buckets, so the hash only spreads the
// keys. Keys are compared exactly (String keys: same length and same bytes); a String key's
// bucket is its Checksum() modulo the bucket count, other keys use a mixing hash.
//
//   List<Bucket<int, String>> sizes(40);
//   sizes.Set("a.dll", 1);                       // true: a new entry
//   if (Bucket<int, String>* e = sizes.Get("a.dll"))
//       e->Value() += 1;
//   for (Bucket<int, String>& e : sizes) ...     // in insertion order

#include "core/List.h"
#include "core/String.h"
#include "core/Vector.h"

#include <cstdint>
#include <type_traits>

// The bucket hash of a key.
inline uint32_t bucketHash(const String& key)
{
    return key.Checksum();
}

template <typename K>
uint32_t bucketHash(const K& key)
{
    uint64_t v;
    if constexpr (std::is_pointer<K>::value)
        v = reinterpret_cast<uintptr_t>(key);
    else
        v = static_cast<uint64_t>(key);
    v ^= v >> 33;
    v *= 0xFF51AFD7ED558CCDULL;
    v ^= v >> 33;
    return static_cast<uint32_t>(v);
}

inline bool bucketKeysEqual(const String& a, const String& b)
{
    return a.Equals(b);
}

template <typename K>
bool bucketKeysEqual(const K& a, const K& b)
{
    return a == b;
}

template <typename V, typename K>
class Bucket {
public:
    const K& Key() const { return key_; }
    V& Value() { return value_; }
    const V& Value() const { return value_; }
    // The entry set after / before this one; null at the end.
    Bucket* Next() const { return next_; }
    Bucket* Previous() const { return previous_; }

private:
    friend class List<Bucket<V, K>>;
    Bucket(const K& key, const V& value, int bucket) : key_(key), bucket_(bucket), value_(value) {}

    K key_;
    int bucket_;                           // index of the owning bucket list
    Bucket* bucketNext_ = nullptr;         // the chain of the bucket list
    Bucket* bucketPrevious_ = nullptr;
    Bucket* next_ = nullptr;               // insertion order
    Bucket* previous_ = nullptr;
    V value_;
};

template <typename V, typename K>
class List<Bucket<V, K>> {
public:
    using Entry = Bucket<V, K>;
    static constexpr int kDefaultBucketCount = 17;

    class Iterator {
    public:
        explicit Iterator(Entry* entry) : entry_(entry) {}
        Entry& operator*() const { return *entry_; }
        Iterator& operator++()
        {
            entry_ = entry_->Next();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return entry_ != other.entry_; }

    private:
        Entry* entry_;
    };

    // An empty map of bucketCount buckets (as SetBucketCount).
    explicit List(int bucketCount = kDefaultBucketCount) { SetBucketCount(bucketCount); }
    List(const List& other) { copyFrom(other); }
    List(List&& other) noexcept { take(other); }
    ~List() { dropEntries(); }
    List& operator=(const List& other)
    {
        if (this != &other) {
            dropEntries();
            copyFrom(other);
        }
        return *this;
    }
    List& operator=(List&& other) noexcept
    {
        if (this != &other) {
            dropEntries();
            take(other);
        }
        return *this;
    }

    // Number of entries.
    int Count() const { return count_; }
    bool IsEmpty() const { return count_ < 1; }
    int BucketCount() const { return buckets_.Count(); }
    // The oldest / newest entry; null when the map is empty.
    Entry* First() const { return first_; }
    Entry* Last() const { return last_; }

    // An existing key gets value and keeps its place in the order: false. A new key becomes
    // the newest entry: true.
    bool Set(const K& key, const V& value)
    {
        int bucket = bucketOf(key);
        if (Entry* entry = find(key, bucket)) {
            entry->value_ = value;
            return false;
        }
        Entry* entry = new Entry(key, value, bucket);
        Entry*& head = buckets_[bucket];
        entry->bucketNext_ = head;
        if (head)
            head->bucketPrevious_ = entry;
        head = entry;
        entry->previous_ = last_;
        if (last_)
            last_->next_ = entry;
        else
            first_ = entry;
        last_ = entry;
        ++count_;
        return true;
    }
    // The entry of key, or null.
    Entry* Get(const K& key) const { return find(key, bucketOf(key)); }
    // Unlinks entry, which must be an entry of this map (null is ignored), and destroys it.
    void Remove(Entry* entry)
    {
        if (!entry)
            return;
        if (entry->bucketPrevious_)
            entry->bucketPrevious_->bucketNext_ = entry->bucketNext_;
        else
            buckets_[entry->bucket_] = entry->bucketNext_;
        if (entry->bucketNext_)
            entry->bucketNext_->bucketPrevious_ = entry->bucketPrevious_;
        if (entry->previous_)
            entry->previous_->next_ = entry->next_;
        else
            first_ = entry->next_;
        if (entry->next_)
            entry->next_->previous_ = entry->previous_;
        else
            last_ = entry->previous_;
        --count_;
        delete entry;
    }
    // Drops every entry and rebuilds the table with n empty bucket lists; a table needs at
    // least one, so n < 1 gives one bucket.
    void SetBucketCount(int n)
    {
        dropEntries();
        buckets_.SetCount(n < 1 ? 1 : n);
    }
    // Drops every entry; the bucket count stays.
    void Clear() { SetBucketCount(BucketCount()); }

    Iterator begin() const { return Iterator(first_); }
    Iterator end() const { return Iterator(nullptr); }

private:
    int bucketOf(const K& key) const
    {
        return static_cast<int>(bucketHash(key) % static_cast<uint32_t>(buckets_.Count()));
    }
    Entry* find(const K& key, int bucket) const
    {
        for (Entry* entry = buckets_[bucket]; entry; entry = entry->bucketNext_)
            if (bucketKeysEqual(entry->key_, key))
                return entry;
        return nullptr;
    }
    void dropEntries()
    {
        for (Entry* entry = first_; entry;) {
            Entry* next = entry->next_;
            delete entry;
            entry = next;
        }
        first_ = last_ = nullptr;
        count_ = 0;
        buckets_.Clear();
    }
    void copyFrom(const List& other)
    {
        buckets_.SetCount(other.BucketCount() < 1 ? 1 : other.BucketCount());
        for (const Entry* entry = other.first_; entry; entry = entry->next_)
            Set(entry->key_, entry->value_);
    }
    void take(List& other)
    {
        buckets_ = static_cast<Vector<Entry*>&&>(other.buckets_);
        first_ = other.first_;
        last_ = other.last_;
        count_ = other.count_;
        other.first_ = other.last_ = nullptr;
        other.count_ = 0;
        other.buckets_.SetCount(1);  // a moved-from map stays usable
    }

    Vector<Entry*> buckets_;  // head of each bucket list
    int count_ = 0;
    Entry* first_ = nullptr;
    Entry* last_ = nullptr;
};
