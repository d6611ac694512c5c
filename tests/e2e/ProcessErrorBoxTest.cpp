// A program that cannot be started is reported in a box when the caller asks for it.
#include "tests/support/WineRun.h"

#include <gtest/gtest.h>

TEST(ProcessErrorBox, NamesTheCommandLine)
{
    WineRunOptions options;
    options.rules = {"caption \"Error\" -> press \"OK\""};
    WineRunResult r = RunInWine(Win64File("tests/win/wintests.exe"),
                                {"--gtest_also_run_disabled_tests", "--gtest_filter=ProcessErrorBox.*"}, options);
    ASSERT_EQ("", r.failure) << r.Transcript();
    EXPECT_EQ(0, r.exitCode) << r.Transcript();
    const WineWindow* box = r.FindWindow("Unable to create process:");
    ASSERT_NE(nullptr, box) << r.Transcript();
    EXPECT_EQ("Error", box->caption);
    EXPECT_EQ("Unable to create process:\r\nquiv-no-such-program.exe /x", box->MessageText()) << r.Transcript();
    EXPECT_EQ(std::vector<std::string>{"OK"}, box->Buttons());
}
