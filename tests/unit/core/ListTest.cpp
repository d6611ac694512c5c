#include "core/List.h"

#include "core/String.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

String forwards(const List<String>& list)
{
    String out;
    for (const String& s : list)
        out.Append(s);
    return out;
}

String backwards(const List<String>& list)
{
    String out;
    for (const List<String>::Node* n = list.Tail(); n; n = n->Previous())
        out.Append(n->Value());
    return out;
}

} // namespace

TEST(List, PushAtBothEndsLinksBothWays)
{
    List<String> list;
    EXPECT_EQ(nullptr, list.Head());
    list.PushBack("b");
    list.PushFront("a");
    list.PushBack("c");
    EXPECT_EQ(3, list.Count());
    EXPECT_STREQ("abc", forwards(list).CStr());
    EXPECT_STREQ("cba", backwards(list).CStr());
}

TEST(List, RemovingHeadMiddleAndTailKeepsTheLinks)
{
    struct Case {
        const char* remove;  // the elements to remove, in order
        const char* left;
        const char* leftBackwards;
    } cases[] = {
        {"a", "bcd", "dcb"}, {"c", "abd", "dba"}, {"d", "abc", "cba"}, {"da", "bc", "cb"},
        {"abcd", "", ""},
    };
    for (const Case& c : cases) {
        List<String> list;
        for (const char* e : {"a", "b", "c", "d"})
            list.PushBack(e);
        for (const char* r = c.remove; *r; ++r) {
            List<String>::Node* n = list.Head();
            while (n && n->Value().CStr()[0] != *r)
                n = n->Next();
            list.Remove(n);
        }
        EXPECT_STREQ(c.left, forwards(list).CStr()) << c.remove;
        EXPECT_STREQ(c.leftBackwards, backwards(list).CStr()) << c.remove;
        EXPECT_EQ(static_cast<int>(std::strlen(c.left)), list.Count()) << c.remove;
    }
}

TEST(List, RemovingWhileWalkingWithTheNextTakenFirst)
{
    List<int> list;
    for (int i = 0; i < 10; ++i)
        list.PushBack(i);
    for (List<int>::Node* n = list.Head(); n;) {
        List<int>::Node* next = n->Next();
        if (n->Value() % 3)
            list.Remove(n);
        n = next;
    }
    int sum = 0;
    for (int v : list)
        sum = sum * 10 + v;
    EXPECT_EQ(369, sum);  // 0, 3, 6, 9
    EXPECT_EQ(4, list.Count());
}

TEST(List, CopiesAreIndependent)
{
    List<String> a;
    a.PushBack("x");
    List<String> b = a;
    b.PushBack("y");
    b.Head()->Value() = "z";
    EXPECT_STREQ("x", forwards(a).CStr());
    EXPECT_STREQ("zy", forwards(b).CStr());
    a = static_cast<List<String>&&>(b);
    EXPECT_STREQ("zy", forwards(a).CStr());
    EXPECT_EQ(0, b.Count());
    EXPECT_EQ(nullptr, b.Tail());
}
