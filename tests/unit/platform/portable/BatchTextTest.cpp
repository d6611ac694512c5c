#include "platform/portable/BatchText.h"

#include <gtest/gtest.h>

#include <string>

TEST(BatchText, RemovesBarePauseLinesOnly)
{
    String text("echo one\r\n  @ pause\r\nPAUSE\n\tPause  \rpause > nul\n\recho two");
    removePauseLines(text);
    EXPECT_EQ(std::string("echo one\r\npause > nul\r\necho two\r\n"), text.CStr());
}

TEST(BatchText, KeepsEmptyLinesAndOtherCommands)
{
    String text("@echo off\r\n\r\npauses\r\n@@pause\r\nrem pause\r\n");
    removePauseLines(text);
    EXPECT_EQ(std::string("@echo off\r\n\r\npauses\r\n@@pause\r\nrem pause\r\n"), text.CStr());

    String empty;
    removePauseLines(empty);
    EXPECT_TRUE(empty.IsEmpty());
}
