#include "core/Vector.h"

#include "core/String.h"

#include <gtest/gtest.h>

namespace {

// The elements as "a,b,c", for either kind of vector.
String show(const Vector<int>& v)
{
    String out;
    for (int i = 0; i < v.Count(); ++i)
        out.AppendFormat(i ? ",%d" : "%d", v[i]);
    return out;
}

String show(const Vector<String>& v)
{
    String out;
    for (int i = 0; i < v.Count(); ++i) {
        if (i)
            out.Append(',');
        out.Append(v[i].IsEmpty() ? String("_") : v[i]);
    }
    return out;
}

template <typename T> T element(int n);
template <> int element<int>(int n) { return n; }
template <> String element<String>(int n)
{
    String s;
    s.Format("%d", n);
    return s;
}

template <typename T>
Vector<T> vectorOf(std::initializer_list<int> values)
{
    Vector<T> v;
    for (int n : values)
        v.Append(element<T>(n));
    return v;
}

struct Layout {
    int capacity;
    int first;
};

void expectLayout(const Vector<int>& v, Layout want, const char* step)
{
    EXPECT_EQ(want.capacity, v.Capacity()) << step;
    EXPECT_EQ(want.first, v.FirstSlot()) << step;
}

} // namespace

// ---------------------------------------------------------------- slot vector: growth and placement

TEST(VectorGrowth, CapacityAfterAppends)
{
    struct Case {
        int appends;
        int capacity;
    } cases[] = {
        {1, 6}, {6, 6}, {7, 10}, {10, 10}, {11, 16}, {1064, 1596}, {1597, 1597 + 2048},
    };
    for (const Case& c : cases) {
        Vector<int> v;
        for (int i = 0; i < c.appends; ++i)
            v.Append(i);
        EXPECT_EQ(c.capacity, v.Capacity()) << c.appends << " appends";
        ASSERT_EQ(c.appends, v.Count());
        for (int i = 0; i < c.appends; ++i)
            ASSERT_EQ(i, v[i]);
    }
}

TEST(VectorGrowth, FullVectorOf1500GrowsBeyondTheEightKilobyteSlotArray)
{
    Vector<int> v;
    v.SetCount(750);  // capacity 1,500
    v.SetCount(1500);
    ASSERT_EQ(1500, v.Capacity());
    v[1499] = 7;
    v.Append(8);
    EXPECT_EQ(1501 + 2048, v.Capacity());
    EXPECT_EQ(7, v[1499]);
    EXPECT_EQ(8, v[1500]);
}

TEST(VectorPlacement, EndsUseTheirOwnFreeRoomFirst)
{
    struct Step {
        const char* what;
        void (*apply)(Vector<int>&);
        Layout layout;
        const char* elements;
    } steps[] = {
        {"append to empty", [](Vector<int>& v) { v.Append(1); }, {6, 1}, "1"},
        {"prepend into front room", [](Vector<int>& v) { v.Prepend(0); }, {6, 0}, "0,1"},
        {"prepend without front room", [](Vector<int>& v) { v.Prepend(-1); }, {6, 0}, "-1,0,1"},
        {"append into back room", [](Vector<int>& v) { v.Append(2); v.Append(3); v.Append(4); },
         {6, 0}, "-1,0,1,2,3,4"},
        {"append to full", [](Vector<int>& v) { v.Append(5); }, {10, 0}, "-1,0,1,2,3,4,5"},
        {"prepend after growth", [](Vector<int>& v) { v.Prepend(-2); }, {10, 0},
         "-2,-1,0,1,2,3,4,5"},
    };
    Vector<int> v;
    for (const Step& s : steps) {
        s.apply(v);
        expectLayout(v, s.layout, s.what);
        EXPECT_STREQ(s.elements, show(v).CStr()) << s.what;
    }
}

TEST(VectorPlacement, AppendWithRoomOnlyInFrontMovesElementsDown)
{
    Vector<int> v;
    for (int i = 0; i < 5; ++i)
        v.Append(i);  // slots 1..5 of 6
    expectLayout(v, {6, 1}, "five appended");
    v.Append(5);
    expectLayout(v, {6, 0}, "sixth appended");
    EXPECT_STREQ("0,1,2,3,4,5", show(v).CStr());
}

TEST(VectorPlacement, MiddleInsertionMovesTheNearerSideWhenItHasRoom)
{
    Vector<int> v;
    v.SetCount(4);  // capacity 8, slots 2..5
    for (int i = 0; i < 4; ++i)
        v[i] = i * 10;
    expectLayout(v, {8, 2}, "set count");
    v.InsertAt(1, 5);  // front half: the first element moves down
    expectLayout(v, {8, 1}, "front half");
    v.InsertAt(3, 15);  // back half: the tail moves up
    expectLayout(v, {8, 1}, "back half");
    v.InsertAt(4, 17);  // back half, last free slot behind
    expectLayout(v, {8, 1}, "back half, last room");
    v.InsertAt(5, 18);  // back half but no room behind: the front moves down
    expectLayout(v, {8, 0}, "no room behind");
    EXPECT_STREQ("0,5,10,15,17,18,20,30", show(v).CStr());
}

TEST(VectorPlacement, ThousandsAtBothEndsMoveOnlyWhenAnEndIsFull)
{
    Vector<int> v;
    int moves = 0;
    for (int i = 0; i < 1000; ++i) {
        int first = v.FirstSlot(), capacity = v.Capacity();
        v.Prepend(i);
        if (first > 0 && v.Capacity() == capacity)
            EXPECT_EQ(first - 1, v.FirstSlot()) << "prepend " << i;
        else
            ++moves;
    }
    for (int i = 0; i < 1000; ++i) {
        int first = v.FirstSlot(), capacity = v.Capacity(), count = v.Count();
        v.Append(i);
        if (first + count < capacity)
            EXPECT_EQ(first, v.FirstSlot()) << "append " << i;
        else
            ++moves;
    }
    EXPECT_LT(moves, 200);
    ASSERT_EQ(2000, v.Count());
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(999 - i, v[i]);
        ASSERT_EQ(i, v[1000 + i]);
    }
}

TEST(VectorSetCount, LayoutAndKeptElements)
{
    Vector<int> v = vectorOf<int>({1, 2, 3});  // capacity 6
    v.SetCount(5);
    expectLayout(v, {6, 0}, "within capacity");
    EXPECT_STREQ("1,2,3,0,0", show(v).CStr());
    v.SetCount(7);
    expectLayout(v, {14, 3}, "beyond capacity");
    EXPECT_STREQ("1,2,3,0,0,0,0", show(v).CStr());
    v.SetCount(2);
    expectLayout(v, {14, 6}, "shrunk");
    EXPECT_STREQ("1,2", show(v).CStr());
    v.SetCount(0);
    EXPECT_EQ(0, v.Count());
    EXPECT_EQ(0, v.Capacity());
}

TEST(VectorRotate, SlotVectorUsesFrontRoomBackRoomOrANewBuffer)
{
    Vector<int> v;
    v.SetCount(4);  // capacity 8, slots 2..5
    for (int i = 0; i < 4; ++i)
        v[i] = i;
    v.Rotate(1);  // one element fits in front
    EXPECT_EQ(1, v.FirstSlot());
    EXPECT_STREQ("3,0,1,2", show(v).CStr());
    v.Rotate(3);  // the first element fits behind
    EXPECT_EQ(2, v.FirstSlot());
    EXPECT_STREQ("0,1,2,3", show(v).CStr());

    Vector<int> full = vectorOf<int>({0, 1, 2, 3, 4, 5});  // no free room
    full.Rotate(-2);
    EXPECT_STREQ("2,3,4,5,0,1", show(full).CStr());
}

// ---------------------------------------------------------------- both kinds: order operations

template <typename T>
class VectorOrder : public ::testing::Test {};
using ElementKinds = ::testing::Types<int, String>;
TYPED_TEST_SUITE(VectorOrder, ElementKinds);

TYPED_TEST(VectorOrder, InsertionPositionsAreClipped)
{
    Vector<TypeParam> v = vectorOf<TypeParam>({1, 2, 3});
    v.InsertAt(v.Count() + 5, element<TypeParam>(9));
    v.InsertAt(-4, element<TypeParam>(0));
    v.InsertAt(2, element<TypeParam>(7));
    EXPECT_STREQ("0,1,7,2,3,9", show(v).CStr());
}

TYPED_TEST(VectorOrder, Edits)
{
    struct Case {
        const char* what;
        void (*apply)(Vector<TypeParam>&);
        const char* elements;
    } cases[] = {
        {"remove at", [](Vector<TypeParam>& v) { v.RemoveAt(1); v.RemoveAt(3); }, "0,2,3"},
        {"range clipped at the front", [](Vector<TypeParam>& v) { v.RemoveRange(-5, 1); }, "2,3,4"},
        {"range clipped at the end", [](Vector<TypeParam>& v) { v.RemoveRange(3, 100); }, "0,1,2"},
        {"range reversed", [](Vector<TypeParam>& v) { v.RemoveRange(3, 1); }, "0,1,2,3,4"},
        {"move forward", [](Vector<TypeParam>& v) { v.Move(0, 3); }, "1,2,3,0,4"},
        {"move backward", [](Vector<TypeParam>& v) { v.Move(4, 1); }, "0,4,1,2,3"},
        {"move clipped", [](Vector<TypeParam>& v) { v.Move(-1, 99); }, "1,2,3,4,0"},
        {"rotate", [](Vector<TypeParam>& v) { v.Rotate(1); }, "4,0,1,2,3"},
        {"rotate back", [](Vector<TypeParam>& v) { v.Rotate(-1); }, "1,2,3,4,0"},
        {"rotate modulo count", [](Vector<TypeParam>& v) { v.Rotate(7); }, "3,4,0,1,2"},
        {"rotate by count", [](Vector<TypeParam>& v) { v.Rotate(5); }, "0,1,2,3,4"},
        {"swap", [](Vector<TypeParam>& v) { EXPECT_TRUE(v.Swap(0, 4)); }, "4,1,2,3,0"},
        {"swap outside", [](Vector<TypeParam>& v) {
             EXPECT_FALSE(v.Swap(0, 5));
             EXPECT_FALSE(v.Swap(-1, 2));
         }, "0,1,2,3,4"},
        {"grow count", [](Vector<TypeParam>& v) { v.SetCount(7); }, nullptr},
        {"shrink count", [](Vector<TypeParam>& v) { v.SetCount(2); }, "0,1"},
        {"clear by count", [](Vector<TypeParam>& v) { v.SetCount(-1); }, ""},
    };
    for (const Case& c : cases) {
        Vector<TypeParam> v = vectorOf<TypeParam>({0, 1, 2, 3, 4});
        c.apply(v);
        String want = c.elements ? String(c.elements) : String();
        if (!c.elements)  // new elements are zero / empty
            want = isSlotValue<TypeParam> ? "0,1,2,3,4,0,0" : "0,1,2,3,4,_,_";
        EXPECT_STREQ(want.CStr(), show(v).CStr()) << c.what;
    }
}

TYPED_TEST(VectorOrder, AppendingItsOwnElementAcrossGrowth)
{
    Vector<TypeParam> v = vectorOf<TypeParam>({1, 2, 3, 4, 5, 6});
    v.Append(v[0]);
    v.InsertAt(1, v[6]);
    v.Prepend(v.Last());
    EXPECT_STREQ("1,1,1,2,3,4,5,6,1", show(v).CStr());
}

TYPED_TEST(VectorOrder, CopiesAreIndependent)
{
    Vector<TypeParam> a = vectorOf<TypeParam>({1, 2});
    Vector<TypeParam> b = a;
    b.Append(element<TypeParam>(3));
    b[0] = element<TypeParam>(9);
    EXPECT_STREQ("1,2", show(a).CStr());
    EXPECT_STREQ("9,2,3", show(b).CStr());
    a = static_cast<Vector<TypeParam>&&>(b);
    EXPECT_STREQ("9,2,3", show(a).CStr());
    EXPECT_EQ(0, b.Count());
}

// ---------------------------------------------------------------- bounds

struct FileRecord {
    String name;
};

TEST(VectorBoundsDeathTest, WrongIndexIsFatalWithTypeIndexAndMaximum)
{
    Vector<int> ints = vectorOf<int>({1, 2, 3});
    EXPECT_EXIT(ints.At(3), ::testing::ExitedWithCode(3), "Vector<int>\\[3\\]\nmax_index = 2");
    EXPECT_EXIT(ints.RemoveAt(-1), ::testing::ExitedWithCode(3), "Vector<int>\\[-1\\]\nmax_index = 2");
    Vector<int> empty;
    EXPECT_EXIT(empty.Last(), ::testing::ExitedWithCode(3), "Vector<int>\\[-1\\]\nmax_index = -1");
    Vector<String> strings = vectorOf<String>({1});
    EXPECT_EXIT(strings[1], ::testing::ExitedWithCode(3), "Vector<String>\\[1\\]\nmax_index = 0");
    Vector<FileRecord> records;
    EXPECT_EXIT(records.At(0), ::testing::ExitedWithCode(3), "Vector<FileRecord>\\[0\\]\nmax_index = -1");
    Vector<const char*> pointers;
    EXPECT_EXIT(pointers.At(2), ::testing::ExitedWithCode(3), "Vector<const char\\*>\\[2\\]");
}
