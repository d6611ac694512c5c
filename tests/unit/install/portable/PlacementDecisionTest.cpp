#include "install/portable/PlacementDecision.h"

#include "archive/format/FileRecord.h"

#include <gtest/gtest.h>

namespace {

constexpr char kDest[] = "C:\\W\\SYS\\a.dll";

ArchiveTime recordAt(int day)
{
    ArchiveTime t;
    t.year = 2007;
    t.month = 3;
    t.day = day;
    t.hour = 12;
    return t;
}

ExistingFile existingAt(int day, const char* version = "")
{
    ExistingFile e;
    e.exists = true;
    e.timeKnown = true;
    e.lastWrite = dateTimeFromArchiveTime(recordAt(day));
    e.version = version;
    return e;
}

std::string line(const char* text)
{
    return std::string(kDest) + text;
}

} // namespace

TEST(PlacementDecision, ExistenceModes)
{
    const ExistingFile missing;
    const ExistingFile present = existingAt(5);
    const ArchiveTime t = recordAt(6);

    EXPECT_FALSE(decidePlacement(0, 4, t, "", kDest, missing).write);
    EXPECT_FALSE(decidePlacement(0, 4, t, "", kDest, present).write);
    EXPECT_FALSE(decidePlacement(0, 8, t, "", kDest, missing).write);
    EXPECT_TRUE(decidePlacement(0, 8, t, "", kDest, present).write);
    EXPECT_TRUE(decidePlacement(0, 12, t, "", kDest, missing).write);

    PlacementDecision kept = decidePlacement(5, 12, t, "", kDest, present);
    EXPECT_FALSE(kept.write);
    EXPECT_TRUE(kept.keepInUninstall);
    EXPECT_TRUE(kept.logLine.IsEmpty());
    EXPECT_FALSE(decidePlacement(0, 12 | kFileLeaveAtUninstall, t, "", kDest, present)
                     .keepInUninstall);
    EXPECT_FALSE(decidePlacement(1, 12, t, "", kDest, present).keepInUninstall);
}

TEST(PlacementDecision, InstallDirectoryAlwaysOverwrites)
{
    PlacementDecision d = decidePlacement(0, 0, recordAt(1), "1.0", kDest, existingAt(9, "9.0"));
    EXPECT_TRUE(d.write);
    EXPECT_FALSE(d.existed);
    EXPECT_TRUE(d.logLine.IsEmpty());
}

TEST(PlacementDecision, SharedAndFontFilesByDate)
{
    for (uint32_t kind : {1u, 4u}) {
        PlacementDecision newer = decidePlacement(kind, 0, recordAt(6), "", kDest, existingAt(5));
        EXPECT_TRUE(newer.write);
        EXPECT_TRUE(newer.existed);
        EXPECT_EQ(line(" is out of date and will be replaced.\r\n"), newer.logLine.CStr());

        PlacementDecision same = decidePlacement(kind, 0, recordAt(5), "", kDest, existingAt(5));
        EXPECT_FALSE(same.write);
        EXPECT_EQ(line(" is up to date.\r\n"), same.logLine.CStr());

        ArchiveTime noDate;
        EXPECT_TRUE(decidePlacement(kind, 0, noDate, "", kDest, existingAt(5)).write);
        ArchiveTime noTime = recordAt(1);
        noTime.hour = -1;
        EXPECT_TRUE(decidePlacement(kind, 0, noTime, "", kDest, existingAt(5)).write);
        ExistingFile unreadable = existingAt(9);
        unreadable.timeKnown = false;
        EXPECT_TRUE(decidePlacement(kind, 0, recordAt(1), "", kDest, unreadable).write);

        PlacementDecision fresh = decidePlacement(kind, 0, recordAt(1), "", kDest, ExistingFile());
        EXPECT_TRUE(fresh.write);
        EXPECT_FALSE(fresh.existed);
        EXPECT_TRUE(fresh.logLine.IsEmpty());
    }
}

TEST(PlacementDecision, SystemFilesByVersionThenDate)
{
    struct Case {
        const char* recordVersion;
        const char* existingVersion;
        int recordDay;
        bool write;
        const char* log;
    };
    const char* outOfDate = " is out of date and will be replaced.\r\n";
    const char* versionNot = " was not installed because its version is not newer.\r\n";
    const char* dateNot = " was not installed because its date is not newer.\r\n";
    const Case cases[] = {
        {"1.10", "1.2", 6, true, outOfDate},
        {"1.10", "1.2", 5, false, dateNot},   // a newer version alone is not enough
        {"2.0", "2.0", 6, false, versionNot},
        {"2.0", "2.0a", 6, false, versionNot},
        {"", "2.0", 6, true, outOfDate},      // without a version the date decides
        {"3.0", "", 4, false, dateNot},
    };
    for (uint32_t kind : {6u, 7u, 8u}) {
        for (const Case& c : cases) {
            PlacementDecision d = decidePlacement(kind, 0, recordAt(c.recordDay), c.recordVersion,
                                                  kDest, existingAt(5, c.existingVersion));
            EXPECT_EQ(c.write, d.write) << c.recordVersion << " vs " << c.existingVersion;
            EXPECT_TRUE(d.existed);
            EXPECT_EQ(line(c.log), d.logLine.CStr());
        }
    }
    ExistingFile unreadable = existingAt(1);
    unreadable.timeKnown = false;
    PlacementDecision d = decidePlacement(6, 0, recordAt(9), "", kDest, unreadable);
    EXPECT_FALSE(d.write);
    EXPECT_TRUE(d.logLine.IsEmpty());
}

// Where the destination is not examined, whatever lies there must give the same decision as
// nothing; and it must be examined wherever what lies there changes the decision.
TEST(PlacementDecision, DestinationLookedAtExactlyWhereItMatters)
{
    const ExistingFile states[] = {ExistingFile(), existingAt(1, "0.1"), existingAt(9, "9.0")};
    int notNeeded = 0;
    for (uint32_t kind : {0u, 1u, 4u, 5u, 6u, 7u, 8u}) {
        for (uint32_t mode : {0u, 4u, 8u, 12u}) {
            const uint32_t flags = mode | kFileLeaveAtUninstall * (kind == 5);
            const PlacementDecision none = decidePlacement(kind, flags, recordAt(5), "1.0", kDest, states[0]);
            bool differs = false;
            for (const ExistingFile& state : states) {
                const PlacementDecision d = decidePlacement(kind, flags, recordAt(5), "1.0", kDest, state);
                differs = differs || d.write != none.write || d.existed != none.existed ||
                          d.keepInUninstall != none.keepInUninstall ||
                          !d.logLine.Equals(none.logLine);
            }
            if (differs) {
                EXPECT_TRUE(placementNeedsDestination(kind, flags)) << kind << " mode " << mode;
            }
            notNeeded += !placementNeedsDestination(kind, flags);
        }
    }
    EXPECT_EQ(7 + 2, notNeeded);  // mode "never" for every kind, "always" for kinds 0 and 5
    EXPECT_FALSE(placementNeedsDestination(0, 0));
}
