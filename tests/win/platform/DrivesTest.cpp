#include "platform/Drives.h"

#include <gtest/gtest.h>

namespace {

int calls = 0;
DWORD failWith = 0;

BOOL WINAPI fakeFreeSpace(LPCSTR, PULARGE_INTEGER available, PULARGE_INTEGER total, PULARGE_INTEGER totalFree)
{
    ++calls;
    if (failWith) {
        SetLastError(failWith);
        return FALSE;
    }
    available->QuadPart = 1;
    total->QuadPart = 5000000000ull;
    totalFree->QuadPart = 3000000000ull;
    return TRUE;
}

// Puts the fake in place for one test and the real function back afterwards.
class DiskSpaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        calls = 0;
        failWith = 0;
        real = setDiskFreeSpaceExFunction(fakeFreeSpace);
    }
    void TearDown() override { setDiskFreeSpaceExFunction(real); }
    DiskFreeSpaceExFunction real = nullptr;
};

} // namespace

TEST(Drives, ExistingAndMissingDrives)
{
    EXPECT_TRUE(driveExists('C'));
    const DWORD present = GetLogicalDrives();
    for (char letter = 'Y'; letter > 'C'; --letter)
        if (!(present & (1u << (letter - 'A')))) {
            EXPECT_FALSE(driveExists(letter)) << letter;
            break;
        }
}

TEST(Drives, FreeSpaceAndClusterSize)
{
    EXPECT_GT(freeSpace("C:\\windows"), 0);
    EXPECT_GT(freeSpace("c"), 0);
    EXPECT_EQ(-1, freeSpace("\\\\server\\share"));
    EXPECT_EQ(-1, freeSpace(""));
    EXPECT_GT(clusterSize("C:\\"), 0);
    EXPECT_EQ(-1, clusterSize("1:\\"));
}

TEST_F(DiskSpaceTest, TakesTheTotalFreeBytesOfTheExtendedCall)
{
    int64_t freeBytes = 0, totalBytes = 0;
    ASSERT_TRUE(diskSpace("C:\\", freeBytes, totalBytes));
    EXPECT_EQ(3000000000ll, freeBytes);
    EXPECT_EQ(5000000000ll, totalBytes);
    EXPECT_EQ(3000000000ll, freeSpace("C:\\x"));
}

TEST_F(DiskSpaceTest, OtherFailuresOfTheExtendedCallFail)
{
    failWith = ERROR_ACCESS_DENIED;
    int64_t freeBytes = 11, totalBytes = 12;
    EXPECT_FALSE(diskSpace("C:\\", freeBytes, totalBytes));
    EXPECT_EQ(11, freeBytes);
    EXPECT_EQ(12, totalBytes);
    EXPECT_EQ(-1, freeSpace("C:\\"));
    EXPECT_EQ(2, calls);
}

TEST_F(DiskSpaceTest, NotImplementedFallsBackToClustersForGood)
{
    failWith = ERROR_CALL_NOT_IMPLEMENTED;
    int64_t freeBytes = -1, totalBytes = -1;
    ASSERT_TRUE(diskSpace("C:\\", freeBytes, totalBytes));
    DWORD sectors, bytes, freeClusters, totalClusters;
    ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &totalClusters));
    EXPECT_EQ(int64_t(sectors) * bytes * totalClusters, totalBytes);
    EXPECT_GT(freeBytes, 0);
    EXPECT_TRUE(diskSpace("C:\\", freeBytes, totalBytes));
    EXPECT_EQ(1, calls); // forgotten after the first answer
}
