#include "builder/Commands.h"

#include "tests/support/TinyPe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Workspace : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() /
                ("quiv-cli-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
        std::vector<uint8_t> stub = TinyPe().build();
        std::ofstream(path("stub.exe"), std::ios::binary).write(reinterpret_cast<const char*>(stub.data()), stub.size());
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string path(const std::string& rel) const { return (root_ / rel).string(); }
    void write(const std::string& rel, const std::string& text) const
    {
        fs::create_directories((root_ / rel).parent_path());
        std::ofstream(root_ / rel, std::ios::binary) << text;
    }
    std::string read(const std::string& rel) const
    {
        std::ifstream in(root_ / rel, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    int run(int (*command)(const std::vector<std::string>&, std::ostream&, std::ostream&),
            std::vector<std::string> args)
    {
        out_.str("");
        err_.str("");
        return command(args, out_, err_);
    }
    int build(const std::string& out) { return run(runBuild, {path("p.toml"), "-o", path(out), "--stub", path("stub.exe"), "--quiet"}); }

    fs::path root_;
    std::ostringstream out_, err_;
};

} // namespace

TEST_F(Workspace, BuildListExtractRoundTripIsByteExactAndReproducible)
{
    std::string big;
    for (int i = 0; i < 200000; ++i)
        big += char('a' + (i * 7919) % 26);
    write("files/readme.txt", "read me\r\n");
    write("files/docs/big.txt", big);
    write("files/bin/app.exe", std::string("MZ\0\1\2", 5));
    write("p.toml", "[product]\nname = \"Round\"\n[[files]]\nsource = \"files\"\n[archive]\ncompress = false\nvolume_size = 60000\n");

    ASSERT_EQ(build("out/a.exe"), 0) << err_.str();
    ASSERT_EQ(build("out2/a.exe"), 0) << err_.str();
    EXPECT_EQ(read("out/a.exe"), read("out2/a.exe"));
    EXPECT_EQ(read("out/DATA2.QSX"), read("out2/DATA2.QSX"));
    EXPECT_FALSE(read("out/DATA2.QSX").empty());

    ASSERT_EQ(run(runList, {path("out/a.exe")}), 0) << err_.str();
    EXPECT_NE(out_.str().find("Round"), std::string::npos);
    EXPECT_NE(out_.str().find("docs\\"), std::string::npos);
    EXPECT_NE(out_.str().find("DATA2.QSX"), std::string::npos);

    ASSERT_EQ(run(runExtract, {path("out/a.exe"), path("x")}), 0) << err_.str();
    EXPECT_EQ(read("x/InstallDir/readme.txt"), "read me\r\n");
    EXPECT_EQ(read("x/InstallDir/docs/big.txt"), big);
    EXPECT_EQ(read("x/InstallDir/bin/app.exe"), std::string("MZ\0\1\2", 5));
}

TEST_F(Workspace, FastOptionOverridesTheProjectsCompression)
{
    std::string text;
    for (int i = 0; i < 30000; ++i)
        text += "abcdefghij"[(i * i) % 10] + std::string(i % 3, ' ');
    write("files/t.txt", text);
    const std::string project = "[product]\nname = \"X\"\n[[files]]\nsource = \"files\"\n";
    write("p.toml", project);
    ASSERT_EQ(build("best.exe"), 0) << err_.str();
    ASSERT_EQ(run(runBuild, {path("p.toml"), "-o", path("fast.exe"), "--stub", path("stub.exe"), "--quiet", "--fast"}), 0);
    write("p.toml", project + "[archive]\ncompression = \"fast\"\n");
    ASSERT_EQ(build("fast-key.exe"), 0) << err_.str();
    EXPECT_EQ(read("fast.exe"), read("fast-key.exe"));
    EXPECT_NE(read("best.exe"), read("fast.exe"));   // sizes may round to the same file alignment
}

TEST_F(Workspace, AFailedBuildLeavesNoFileBehind)
{
    write("p.toml", "[product]\nname = \"\"\n");
    EXPECT_EQ(build("setup.exe"), 1);
    EXPECT_NE(err_.str().find("p.toml:2: product.name"), std::string::npos) << err_.str();
    write("p.toml", "[product]\nname = \"X\"\n[[files]]\nsource = \"gone.txt\"\n");
    EXPECT_EQ(build("setup.exe"), 1);
    EXPECT_EQ(run(runBuild, {path("p.toml"), "-o", path("setup.exe"), "--stub", path("nostub.exe")}), 1);
    for (const auto& e : fs::directory_iterator(root_))
        EXPECT_TRUE(e.path().filename() == "p.toml" || e.path().filename() == "stub.exe") << e.path();
    EXPECT_EQ(run(runBuild, {"--frobnicate"}), 2);
}

TEST_F(Workspace, ListRefusesADamagedInstaller)
{
    write("files/a.txt", "abc");
    write("p.toml", "[product]\nname = \"X\"\n[[files]]\nsource = \"files\"\n[archive]\ncompress = false\n");
    ASSERT_EQ(build("s.exe"), 0) << err_.str();
    std::string image = read("s.exe");
    size_t at = image.rfind("abc");
    ASSERT_NE(at, std::string::npos);
    image[at] = 'x';
    write("s.exe", image);
    EXPECT_EQ(run(runList, {path("s.exe")}), 1);
    EXPECT_NE(err_.str().find("code 55"), std::string::npos) << err_.str();
}

TEST_F(Workspace, NewProjectBuildsAsItIs)
{
    ASSERT_EQ(run(runNew, {path("starter")}), 0) << err_.str();
    EXPECT_EQ(run(runNew, {path("starter")}), 1);   // never overwrites
    ASSERT_EQ(run(runBuild, {path("starter/quiv.toml"), "--stub", path("stub.exe"), "--quiet"}), 0) << err_.str();
    EXPECT_TRUE(fs::exists(path("starter/setup.exe")));
    for (auto command : {runBuild, runList, runExtract, runNew}) {
        EXPECT_EQ(run(command, {"--help"}), 0);
        EXPECT_NE(out_.str().find("usage: quiv"), std::string::npos);
    }
}

TEST(ExtractPath, StaysInsideItsFolder)
{
    struct Case { const char* name; unsigned kind, flags; const char* destination; const char* path; };
    const Case cases[] = {
        {"a.txt", 0, 0, "", "InstallDir/a.txt"},
        {"a.txt", 0, 0, "b.txt", "InstallDir/b.txt"},
        {"a.txt", 0, 0, "docs\\", "InstallDir/docs/a.txt"},
        {"a.txt", 0, 0, "docs\\c.txt", "InstallDir/docs/c.txt"},
        {"a.txt", 0, 0, "%InstallDir%\\x\\", "InstallDir/x/a.txt"},
        {"a.txt", 0, 0, "C:\\Tools\\", "InstallDir/Tools/a.txt"},
        {"f.ttf", 4, 0, "", "Fonts/f.ttf"},
        {"s.dll", 7, 0, "", "System/s.dll"},
        {"u.txt", 0, 0x40, "", "UninstallDir/u.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(extractPath(c.name, c.kind, c.flags, c.destination), c.path) << c.destination;
    EXPECT_THROW(extractPath("a", 0, 0, "..\\..\\etc\\"), std::runtime_error);
    EXPECT_THROW(extractPath("..", 0, 0, ""), std::runtime_error);
}
