// The volume loop against the volumes the builder writes, with a scripted user.
#include "archive/portable/VolumeGathering.h"

#include "archive/format/ArchiveFormat.h"
#include "builder/FileDataWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const char kRequest[] = "Please make volume %d of the installation available in drive %c: and choose OK.";
const char kWrong[] = "That is not the volume asked for.";

// Volume files by path; askForVolume records the text and runs the test's answer.
class FakeVolumes : public VolumeSource {
public:
    std::map<std::string, std::vector<uint8_t>> files;
    std::set<std::string> unreadable;                // open, but reads past the first word fail
    std::vector<std::string> asked;
    std::vector<std::string> opened;
    std::vector<int> progress;
    std::function<void(FakeVolumes&)> onAsk = [](FakeVolumes&) {};
    bool isOpen = false;

    bool open(const String& path, uint32_t& size) override
    {
        opened.push_back(path.CStr());
        auto it = files.find(path.CStr());
        if (it == files.end())
            return false;
        current_ = &it->second;
        currentPath_ = path.CStr();
        size = static_cast<uint32_t>(current_->size());
        isOpen = true;
        return true;
    }
    bool readAt(uint32_t offset, void* destination, int count) override
    {
        EXPECT_TRUE(isOpen);
        if (offset > 0 && unreadable.count(currentPath_))
            return false;
        if (offset + static_cast<size_t>(count) > current_->size())
            return false;
        std::copy(current_->begin() + offset, current_->begin() + offset + count, static_cast<uint8_t*>(destination));
        return true;
    }
    void close() override { isOpen = false; }
    void askForVolume(const String& text) override
    {
        EXPECT_FALSE(isOpen);
        asked.push_back(text.CStr());
        onAsk(*this);
    }
    void showProgress(int percent) override { progress.push_back(percent); }

private:
    const std::vector<uint8_t>* current_ = nullptr;
    std::string currentPath_;
};

struct Gathering {
    std::vector<uint8_t> block;
    VolumeSet set;
    FakeVolumes volumes;
    VolumeRequest request;
    std::vector<uint8_t> buffer;

    // block of size bytes, share of them in the installer, volumes of volumeSize bytes.
    Gathering(size_t size, size_t share, size_t volumeSize, uint32_t firstSequence = 7)
    {
        for (size_t i = 0; i < size; ++i)
            block.push_back(static_cast<uint8_t>(i * 37 + 11));
        set = splitVolumes(block, share, volumeSize, firstSequence);
        for (size_t i = 0; i < set.volumes.size(); ++i)
            volumes.files[path(set.numbers[i])] = set.volumes[i];
        request.installerDir = "C:\\Setup";
        request.baseName = "DATA";
        request.firstSequence = firstSequence;
        request.wrongVolume = kWrong;
        request.request = kRequest;
        buffer.assign(block.size(), 0);
        std::copy(set.inInstaller.begin(), set.inInstaller.end(), buffer.begin());
    }

    static std::string path(uint32_t number) { return "C:\\Setup\\" + volumeFileName("DATA", number); }

    int run()
    {
        return gatherVolumes(volumes, request, buffer.data(), static_cast<uint32_t>(set.inInstaller.size()),
                             static_cast<uint32_t>(block.size()));
    }
};

std::string text(const String& s) { return std::string(s.Data() ? s.Data() : "", s.Length()); }

std::string requestFor(int number) { return "Please make volume " + std::to_string(number) + " of the installation available in drive C: and choose OK."; }
std::string wrongFor(int number) { return std::string(kWrong) + "\r\n\r\n" + requestFor(number); }

TEST(VolumeGathering, ThreeVolumesFillTheBlockInOrderWithoutAQuestion)
{
    Gathering g(100, 30, 29);   // 30 in the installer, then 25 + 25 + 20
    ASSERT_EQ(g.set.volumes.size(), 3u);
    EXPECT_EQ(g.run(), 0);
    EXPECT_EQ(g.buffer, g.block);
    EXPECT_TRUE(g.volumes.asked.empty());
    EXPECT_EQ(g.volumes.opened, (std::vector<std::string>{g.path(2), g.path(3), g.path(4)}));
    EXPECT_EQ(g.volumes.progress, (std::vector<int>{5 + 30 * 30 / 100, 5 + 55 * 30 / 100, 5 + 80 * 30 / 100}));
    EXPECT_FALSE(g.volumes.isOpen);
}

TEST(VolumeGathering, AMissingVolumeIsAskedForUntilItAppearsAndTheCountStartsAgainForTheNext)
{
    Gathering g(100, 30, 29);
    const std::vector<uint8_t> third = g.volumes.files[g.path(3)];
    const std::vector<uint8_t> second = g.volumes.files[g.path(2)];
    g.volumes.files.erase(g.path(2));
    g.volumes.files.erase(g.path(3));
    // Volume 2 is put in place at the second question, volume 3 at the first.
    g.volumes.onAsk = [&](FakeVolumes& v) {
        if (v.asked.size() == 2)
            v.files[g.path(2)] = second;
        if (v.asked.size() == 3)
            v.files[g.path(3)] = third;
    };
    EXPECT_EQ(g.run(), 0);
    EXPECT_EQ(g.buffer, g.block);
    // A second miss of the same volume counts as a wrong one; volume 3 starts again at a
    // plain request.
    EXPECT_EQ(g.volumes.asked, (std::vector<std::string>{requestFor(2), wrongFor(2), requestFor(3)}));
}

TEST(VolumeGathering, AWrongVolumeIsRefusedWithTheWrongVolumeTextFirst)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> offered;
    };
    const std::vector<Case> cases = {
        {"another sequence number", {8, 0, 0, 0, 1, 2, 3}},
        {"only the first word", {7, 0, 0, 0}},
        {"shorter than a word", {7, 0}},
        {"empty", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Gathering g(60, 30, 100);
        const std::vector<uint8_t> right = g.volumes.files[g.path(2)];
        g.volumes.files[g.path(2)] = c.offered;
        g.volumes.onAsk = [&](FakeVolumes& v) { v.files[g.path(2)] = right; };
        EXPECT_EQ(g.run(), 0);
        EXPECT_EQ(g.buffer, g.block);
        EXPECT_EQ(g.volumes.asked, std::vector<std::string>{wrongFor(2)});
    }
}

TEST(VolumeGathering, AVolumeThatCannotBeReadOrIsTooLongIsCorrupt)
{
    Gathering unreadable(60, 30, 100);
    unreadable.volumes.unreadable.insert(unreadable.path(2));
    EXPECT_EQ(unreadable.run(), kCorruptVolumeRead);
    EXPECT_FALSE(unreadable.volumes.isOpen);

    // A volume one byte longer than the 30 bytes still missing is never copied.
    Gathering tooLong(60, 30, 100);
    tooLong.volumes.files[tooLong.path(2)].push_back(0xEE);
    tooLong.buffer.push_back(0x55);   // a guard byte behind the block
    EXPECT_EQ(tooLong.run(), kCorruptVolumeRead);
    EXPECT_EQ(tooLong.buffer.back(), 0x55);
    EXPECT_TRUE(tooLong.volumes.asked.empty());
    EXPECT_FALSE(tooLong.volumes.isOpen);
}

TEST(VolumeGathering, NothingIsOpenedWhenTheInstallerHoldsEverything)
{
    Gathering g(60, 60, 100);
    EXPECT_EQ(g.run(), 0);
    EXPECT_TRUE(g.volumes.opened.empty());
    EXPECT_TRUE(g.volumes.progress.empty());
}

TEST(VolumeGathering, Figures)
{
    EXPECT_EQ(text(volumePath("C:\\Setup", "DATA", 2)), std::string("C:\\Setup\\DATA2.QSX"));
    EXPECT_EQ(text(volumePath("C:\\", "Disk", 4294967295u)), std::string("C:\\Disk4294967295.QSX"));
    EXPECT_EQ(text(volumePath("", "DATA", 3)), std::string("DATA3.QSX"));

    struct Progress {
        uint32_t total, remaining;
        int percent;
    };
    for (const Progress& p : std::vector<Progress>{{100, 100, 5}, {100, 1, 34}, {3, 1, 25},
                                                  {0x7FFFFFFF, 1, 34}, {0x7FFFFFFF, 0x40000000, 19}}) {
        SCOPED_TRACE(p.total);
        EXPECT_EQ(gatheringProgress(p.total, p.remaining), p.percent);
    }

    // size, word read, word, expected sequence, missing
    EXPECT_EQ(judgeVolume(10, true, 7, 7, 6), kVolumeAccepted);
    EXPECT_EQ(judgeVolume(10, true, 7, 7, 5), kVolumeTooLong);
    EXPECT_EQ(judgeVolume(10, true, 6, 7, 6), kVolumeWrong);
    EXPECT_EQ(judgeVolume(10, false, 7, 7, 6), kVolumeWrong);
    EXPECT_EQ(judgeVolume(4, true, 7, 7, 6), kVolumeWrong);
}

TEST(VolumeGathering, RequestTextUsesTheLanguageTextOnlyAsTheFormatItIs)
{
    EXPECT_EQ(text(volumeRequestText(1, kWrong, "Volume %d, drive %c:", 3, 'D')), std::string("Volume 3, drive D:"));
    EXPECT_EQ(text(volumeRequestText(2, kWrong, "Volume %d, drive %c:", 3, 'D')), std::string("That is not the volume asked for.\r\n\r\nVolume 3, drive D:"));
    EXPECT_EQ(text(volumeRequestText(1, kWrong, "Volume %s in %c", 3, 'D')), std::string("Volume %s in %c"));
    EXPECT_EQ(text(volumeRequestText(1, kWrong, "Insert the next disk", 3, 'D')), std::string("Insert the next disk"));
}

} // namespace
