#include "core/Stack.h"

#include "core/String.h"

#include <gtest/gtest.h>

TEST(Stack, LastPushedComesFirst)
{
    Stack<String> stack;
    stack.Push("a");
    stack.Push("b");
    EXPECT_STREQ("b", stack.Peek().CStr());
    EXPECT_STREQ("b", stack.Pop().CStr());
    stack.Push("c");
    EXPECT_STREQ("c", stack.Pop().CStr());
    EXPECT_STREQ("a", stack.Pop().CStr());
    EXPECT_TRUE(stack.IsEmpty());
}

TEST(StackDeathTest, PopAndPeekOnEmptyAreFatal)
{
    Stack<int> ints;
    ints.Push(1);
    ints.Pop();
    EXPECT_EXIT(ints.Pop(), ::testing::ExitedWithCode(3), "Stack<int>::pop");
    EXPECT_EXIT(ints.Peek(), ::testing::ExitedWithCode(3), "Vector<int>\\[-1\\]\nmax_index = -1");
    Stack<String> strings;
    EXPECT_EXIT(strings.Pop(), ::testing::ExitedWithCode(3), "Stack<String>::pop");
}
