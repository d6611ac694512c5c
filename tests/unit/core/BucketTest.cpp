#include "core/Bucket.h"

#include "core/String.h"

#include <gtest/gtest.h>

namespace {

using Flags = List<Bucket<bool, String>>;

String keysForwards(const Flags& map)
{
    String out;
    for (Bucket<bool, String>& e : map) {
        if (!out.IsEmpty())
            out.Append(',');
        out.Append(e.Key());
    }
    return out;
}

String keysBackwards(const Flags& map)
{
    String out;
    for (Bucket<bool, String>* e = map.Last(); e; e = e->Previous()) {
        if (!out.IsEmpty())
            out.Append(',');
        out.Append(e->Key());
    }
    return out;
}

String key(int n)
{
    String s;
    s.Format("file%d.dll", n);
    return s;
}

} // namespace

TEST(BucketMap, IterationFollowsTheOrderKeysWereFirstSet)
{
    Flags map(40);
    EXPECT_TRUE(map.Set("b", true));
    EXPECT_TRUE(map.Set("a", false));
    EXPECT_TRUE(map.Set("c", true));
    EXPECT_FALSE(map.Set("b", false));  // replaced, not moved
    EXPECT_STREQ("b,a,c", keysForwards(map).CStr());
    EXPECT_STREQ("c,a,b", keysBackwards(map).CStr());
    EXPECT_FALSE(map.Get("b")->Value());
    EXPECT_EQ(3, map.Count());

    map.Remove(map.Get("b"));
    EXPECT_STREQ("a,c", keysForwards(map).CStr());
    map.Remove(map.Get("c"));
    EXPECT_STREQ("a", keysBackwards(map).CStr());
    EXPECT_TRUE(map.Set("b", true));  // set again after removal: the newest
    EXPECT_STREQ("a,b", keysForwards(map).CStr());
    EXPECT_STREQ("b,a", keysBackwards(map).CStr());
    EXPECT_EQ(nullptr, map.Get("c"));
}

TEST(BucketMap, ManyKeysInFewBucketsKeepOrderThroughRemovals)
{
    List<Bucket<int, String>> map(7);
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(map.Set(key(i), i));
    for (int i = 0; i < 300; i += 3)
        map.Remove(map.Get(key(i)));
    for (int i = 0; i < 300; i += 6)
        ASSERT_TRUE(map.Set(key(i), -i));  // back, as the newest
    ASSERT_EQ(250, map.Count());

    int expected = 1;
    Bucket<int, String>* e = map.First();
    for (; expected < 300; ++expected) {
        if (expected % 3 == 0)
            continue;
        ASSERT_NE(nullptr, e);
        EXPECT_TRUE(e->Key().Equals(key(expected)));
        EXPECT_EQ(expected, e->Value());
        e = e->Next();
    }
    for (int i = 0; i < 300; i += 6, e = e->Next()) {
        ASSERT_NE(nullptr, e);
        EXPECT_TRUE(e->Key().Equals(key(i)));
        EXPECT_EQ(-i, e->Value());
    }
    EXPECT_EQ(nullptr, e);
    for (int i = 0; i < 300; ++i)
        EXPECT_EQ(i % 3 == 0 && i % 6 != 0, map.Get(key(i)) == nullptr) << i;
}

TEST(BucketMap, StringKeysAreComparedExactly)
{
    Flags map;
    EXPECT_TRUE(map.Set("a.dll", true));
    EXPECT_TRUE(map.Set("A.DLL", true));
    EXPECT_TRUE(map.Set(String("a\0b", 3), true));
    EXPECT_TRUE(map.Set(String("a\0c", 3), true));
    EXPECT_TRUE(map.Set(String("a", 1), true));
    EXPECT_EQ(5, map.Count());
    EXPECT_EQ(nullptr, map.Get(String("a\0d", 3)));
    EXPECT_NE(nullptr, map.Get(String("a\0c", 3)));
}

namespace {
unsigned lastCall = 0;
void recordCall(unsigned n) { lastCall = n; }
void recordTwice(unsigned n) { lastCall = 2 * n; }
} // namespace

TEST(BucketMap, NumberKeys)
{
    List<Bucket<int, int>> numbers(40);
    for (int i = -50; i < 50; ++i)
        numbers.Set(i * 1000, i);
    EXPECT_EQ(100, numbers.Count());
    EXPECT_EQ(-7, numbers.Get(-7000)->Value());
    EXPECT_EQ(nullptr, numbers.Get(7));
    EXPECT_EQ(-50000, numbers.First()->Key());

    List<Bucket<void (*)(unsigned), unsigned>> handlers;
    handlers.Set(0x111u, recordCall);
    handlers.Set(0x222u, recordTwice);
    handlers.Get(0x222u)->Value()(5);
    EXPECT_EQ(10u, lastCall);
    handlers.Get(0x111u)->Value()(5);
    EXPECT_EQ(5u, lastCall);
}

TEST(BucketMap, BucketCountClearAndCopies)
{
    Flags map(40);
    map.Set("x", true);
    map.Set("y", true);
    Flags copy = map;
    copy.Set("z", true);
    copy.Remove(copy.Get("x"));
    EXPECT_STREQ("x,y", keysForwards(map).CStr());
    EXPECT_STREQ("y,z", keysForwards(copy).CStr());
    EXPECT_EQ(40, copy.BucketCount());

    map.Clear();
    EXPECT_EQ(0, map.Count());
    EXPECT_EQ(nullptr, map.First());
    EXPECT_EQ(40, map.BucketCount());

    for (int n : {0, -3}) {  // a table without buckets still keeps what is set
        copy.SetBucketCount(n);
        EXPECT_EQ(0, copy.Count());
        EXPECT_TRUE(copy.Set("k", true));
        EXPECT_NE(nullptr, copy.Get("k")) << n;
    }
}
