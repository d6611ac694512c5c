#include "builder/ProjectFile.h"

#include "archive/format/SettingsLayout.h"
#include "archive/portable/SettingsReader.h"
#include "builder/Messages.h"
#include "builder/SettingsWriter.h"

#include <gtest/gtest.h>

#include <sys/time.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace {

class ProjectDir {
public:
    ProjectDir()
    {
        root_ = fs::temp_directory_path() / ("quiv-project-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    ~ProjectDir() { fs::remove_all(root_); }
    void write(const std::string& rel, const std::string& text) const
    {
        fs::path p = root_ / rel;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }
    std::string path(const std::string& rel = "") const { return (root_ / rel).string(); }

private:
    fs::path root_;
};

std::string str(const String& s) { return std::string(s.Data(), s.Length()); }

std::string errorOf(const std::string& toml, const ProjectDir& dir)
{
    dir.write("p.toml", toml);
    try {
        loadProject(dir.path("p.toml"));
    } catch (const ProjectError& e) {
        return e.what();
    }
    return "no error";
}

const char kFullProject[] = R"(
languages = ["de.toml"]

[product]
name = "Hello"
version = "1.2.3"
publisher = "Quiv Examples"
default_directory = "<os>\\Hello"
shared_directory = "Shared Hello"
start_menu_folder = "Hello Menu"
desktop_folder = "Hello Desk"
registry_key = "Quiv Examples\\Hello"
shortcuts_for = "all_users"
excluded_systems = ["win32s", "windows_95", "server_2003"]
step_delay = 250
master_product = "Hello Base"

[flags]
uninstall_support = true
ask_directory = true
verbose_log = true
maximized_background = true

[appearance]
title_color = "#102030"
title_shadow = 3
top_color = "#0000FF"
bottom_color = 0x123456
background_bitmap = "bg.bmp"
bitmap_share = 40

[texts]
licence = ["licence.txt", "licence2.txt"]
readme = "readme.txt"

[batch]
before_files = "echo one"
after_actions = "echo two"
at_end = "echo three"
uninstall_first = "echo four"
uninstall_second = "echo five"

[uninstall]
subdirectory = "Remove"
program_name = "Remove.exe"
key_name = "HelloKey"
program_time = 2026-12-10T09:30:05

[[uninstall.value]]
name = "HelpLink"
value = "https://example.invalid/help"

[[uninstall.value]]
name = "EstimatedSize"
type = "number"
value = "42"

[uninstall.patch]
offset = 100
file = "patch.bin"

[archive]
compress = false
compression = "fast"
volume_size = 100000
volume_name = "DISK"
first_volume_number = 7

[[delete]]
path = "%InstallDir%\\old.dll"
condition = "older"
value = "2020-01-01"
at_restart = true

[[association]]
extension = ".hello"
file_type = "HelloFile"
description = "Hello document"
verb = "open"
verb_text = "&Open"
command = "\"%InstallDir%\\hello.exe\" \"%1\""
icon = "%InstallDir%\\hello.exe,0"
language = "English"
default_verb = false

[[files]]
source = "payload"
include = ["**/*.txt", "bin/*"]
exclude = ["**/skip*"]
destination = "app"
existing = "if_absent"
attributes = ["read_only", "archive"]
time = 2025-01-02T03:04:05

[[files]]
source = "hello.exe"
name = "hi.exe"
kind = "startup"
leave_at_uninstall = true
in_uninstall_directory = true
[files.shortcut]
title = "Say Hello"
icon = "hello.ico"
arguments = "/greet"
desktop = true

[[files]]
source = "lib.dll"
kind = "com_server"
version = "2.0.0.1"

[[files]]
source = "f.ttf"
kind = "font"
font_title = "Hello Sans"

[messages]
13 = "Broken installer, code %d."

[build]
output = "out/hello-setup.exe"
)";

void writeFullFixture(const ProjectDir& d)
{
    d.write("p.toml", kFullProject);
    d.write("de.toml", "name = \"Deutsch\"\n[messages]\n0 = \"<product> einrichten\"\n");
    d.write("bg.bmp", "BMbitmap");
    d.write("licence.txt", "Licence one");
    d.write("licence2.txt", "Licence two");
    d.write("readme.txt", "Read me");
    d.write("patch.bin", "PATCH");
    d.write("payload/a.txt", "a");
    d.write("payload/sub/b.txt", "bb");
    d.write("payload/sub/skip.txt", "no");
    d.write("payload/bin/tool.exe", "tool");
    d.write("payload/other.dat", "no");
    d.write("hello.exe", "MZhello");
    d.write("lib.dll", "MZlib");
    d.write("f.ttf", "font");
}

} // namespace

TEST(ProjectFile, EveryKeyReachesItsSettingsField)
{
    ProjectDir d;
    writeFullFixture(d);
    Project p = loadProject(d.path("p.toml"));
    EXPECT_EQ(p.volumeSize, 100000u);
    EXPECT_EQ(p.compression, CompressionLevel::kFast);
    EXPECT_EQ(p.output, "out/hello-setup.exe");

    std::vector<uint8_t> block = writeSettings(p.spec);
    SettingsReader reader;
    reader.programFileSize = 1000;
    reader.windowsDir = "C:\\WINDOWS";
    String productName;
    ProductSettings s;
    Language lang;
    ASSERT_EQ(reader.read(reinterpret_cast<const char*>(block.data()), int(block.size()), productName, s, lang), 0);

    const uint64_t flags = productFlagMask(kFlagUninstallSupport) | productFlagMask(kFlagAskDirectory) |
                           productFlagMask(kFlagVerboseLog) | productFlagMask(kFlagMaximizedBackground) |
                           productFlagMask(kFlagMasterUpdate);   // compress = false clears bit 5
    EXPECT_EQ(s.productFlags, flags);
    EXPECT_EQ(s.stepDelay, 250);
    EXPECT_EQ(s.shortcutMode, 1);
    EXPECT_EQ(s.uninstallerTime.year, 2026);
    EXPECT_EQ(s.uninstallerTime.second, 5);
    EXPECT_EQ(str(s.publisher), "Quiv Examples");
    EXPECT_EQ(str(s.productName), "Hello");
    EXPECT_EQ(str(s.sharedPath), "Shared Hello");
    EXPECT_EQ(str(s.productStartMenu), "Quiv Examples\\Hello");   // the engine's rule
    EXPECT_EQ(str(s.defaultDirectory), "C:\\WINDOWS\\Hello");
    EXPECT_EQ(str(s.displayVersion), "1.2.3");
    EXPECT_EQ(str(s.productRegistry), "Quiv Examples\\Hello");
    EXPECT_EQ(s.bitmapSize, 40u);
    ASSERT_EQ(s.licenceCount, 2);
    EXPECT_EQ(str(s.licenceTexts[1]), "Licence two");
    ASSERT_EQ(s.readmeCount, 1);
    EXPECT_EQ(str(s.readmeTexts[0]), "Read me");
    EXPECT_EQ(str(s.uninstallSubdir), "Remove");
    EXPECT_EQ(str(s.volumeBaseName), "DISK");
    EXPECT_EQ(str(s.uninstallerFileName), "Remove.exe");
    EXPECT_EQ(str(s.uninstallKeyName), "HelloKey");
    EXPECT_EQ(s.titleColor, 0x302010u);
    EXPECT_EQ(s.titleShadow, 3);
    EXPECT_EQ(s.topColor, 0xFF0000u);
    EXPECT_EQ(s.bottomColor, 0x123456u);
    EXPECT_EQ(str(s.backgroundBitmap), "BMbitmap");
    EXPECT_EQ(str(s.masterKeyName), "Hello Base");
    EXPECT_EQ(str(s.desktopFolder), "Hello Desk");
    EXPECT_EQ(str(s.batchText1), "echo one");
    EXPECT_EQ(str(s.batchText2), "echo two");
    EXPECT_EQ(str(s.batchText3), "echo three");
    EXPECT_EQ(str(s.uninstallBatch1), "echo four");
    EXPECT_EQ(str(s.uninstallBatch2), "echo five");
    EXPECT_EQ(s.excludedSystems, uint32_t(kExcludeWin32s | kExcludeWindows95 | kExcludeServer2003));
    EXPECT_EQ(s.firstVolumeNumber, 7u);
    EXPECT_EQ(s.patchOffset, 100u);
    EXPECT_EQ(str(s.patchBytes), "PATCH");
    ASSERT_EQ(s.deletions.Count(), 1);
    EXPECT_EQ(str(s.deletions[0].path), "%InstallDir%\\old.dll");
    EXPECT_EQ(s.deletions[0].condition, 2);
    EXPECT_EQ(str(s.deletions[0].value), "2020-01-01");
    EXPECT_EQ(s.deletions[0].flags, 2u);
    ASSERT_EQ(s.associations.Count(), 1);
    const FileAssociation& a = s.associations[0];
    EXPECT_EQ(a.flags, 0u);
    EXPECT_EQ(str(a.extension), ".hello");
    EXPECT_EQ(str(a.fileType), "HelloFile");
    EXPECT_EQ(str(a.description), "Hello document");
    EXPECT_EQ(str(a.verb), "open");
    EXPECT_EQ(str(a.verbText), "&Open");
    EXPECT_EQ(str(a.command), "\"%InstallDir%\\hello.exe\" \"%1\"");
    EXPECT_EQ(str(a.language), "English");
    EXPECT_EQ(str(a.icon), "%InstallDir%\\hello.exe,0");
    ASSERT_EQ(s.uninstallValues.Count(), 2);
    EXPECT_EQ(str(s.uninstallValues[0].name), "HelpLink");
    EXPECT_EQ(s.uninstallValues[1].type, 4);
    EXPECT_EQ(str(s.uninstallValues[1].value), "42");

    ASSERT_EQ(lang.languageCount(), 2);
    EXPECT_EQ(lang.messageCount(), kMessageNumberCount);
    EXPECT_EQ(str(lang.name(1)), "Deutsch");
    EXPECT_EQ(str(lang.text(13, 0)), "Broken installer, code %d.");
    EXPECT_EQ(str(lang.text(0, 1)), "<product> einrichten");
    EXPECT_EQ(str(lang.text(13, 1)), "Broken installer, code %d.");   // falls back to English
    ASSERT_EQ(p.warnings.size(), 1u);
}

TEST(ProjectFile, FilesTakeTheirOptionsAndFoldersKeepTheirLayout)
{
    ProjectDir d;
    writeFullFixture(d);
    Project p = loadProject(d.path("p.toml"));
    struct Want { const char* name; const char* destination; const char* data; };
    const Want folder[] = {{"a.txt", "app\\", "a"}, {"tool.exe", "app\\bin\\", "tool"}, {"b.txt", "app\\sub\\", "bb"}};
    ASSERT_EQ(p.files.size(), 6u);
    for (int i = 0; i < 3; ++i) {
        const StoredFile& f = p.files[i];
        EXPECT_EQ(f.name, folder[i].name);
        EXPECT_EQ(f.destination, folder[i].destination);
        EXPECT_EQ(std::string(f.data.begin(), f.data.end()), folder[i].data);
        EXPECT_EQ(f.flags, 3u << kFileExistenceShift);
        EXPECT_EQ(f.attributes, 0x21u);
        EXPECT_EQ(f.time.year, 2025);
        EXPECT_EQ(f.time.second, 5);
    }
    const StoredFile& exe = p.files[3];
    EXPECT_EQ(exe.name, "hi.exe");
    EXPECT_EQ(exe.kind, kKindInstallDirStartup);
    EXPECT_EQ(exe.flags, kFileLeaveAtUninstall | kFileInUninstallDir | kFileDesktopShortcut | kFileStartMenuShortcut);
    EXPECT_EQ(exe.attributes, kKeepAttributes);
    EXPECT_EQ(exe.text, "Say Hello");
    EXPECT_EQ(exe.shortcutIcon, "hello.ico");
    EXPECT_EQ(exe.shortcutArguments, "/greet");
    EXPECT_FALSE(exe.time.hasDate());
    EXPECT_EQ(p.files[4].kind, kKindSystemComServer);
    EXPECT_EQ(p.files[4].text, "2.0.0.1");
    EXPECT_EQ(p.files[5].kind, kKindFont);
    EXPECT_EQ(p.files[5].text, "Hello Sans");
}

// A file's own modification time, to the second, for files on whole seconds and between them.
TEST(ProjectFile, SourceTimeIsTheFilesModificationTime)
{
    ProjectDir d;
    d.write("a.txt", "a");
    d.write("b.txt", "b");
    const struct timeval whole[2] = {{1500000000, 0}, {1500000000, 0}};        // 2017-07-14 02:40:00
    const struct timeval between[2] = {{1262304059, 999999}, {1262304059, 999999}}; // 2010-01-01 00:00:59.999999
    ASSERT_EQ(0, utimes(d.path("a.txt").c_str(), whole));
    ASSERT_EQ(0, utimes(d.path("b.txt").c_str(), between));
    d.write("p.toml", "[product]\nname = \"T\"\n[[files]]\nsource = \"a.txt\"\ntime = \"source\"\n"
                      "[[files]]\nsource = \"b.txt\"\ntime = \"source\"\n");
    Project p = loadProject(d.path("p.toml"));
    ASSERT_EQ(2u, p.files.size());
    const ArchiveTime& a = p.files[0].time;
    EXPECT_EQ((std::vector<int>{2017, 7, 14, 2, 40, 0}), (std::vector<int>{a.year, a.month, a.day, a.hour, a.minute, a.second}));
    const ArchiveTime& b = p.files[1].time;
    EXPECT_EQ((std::vector<int>{2010, 1, 1, 0, 0, 59}), (std::vector<int>{b.year, b.month, b.day, b.hour, b.minute, b.second}));
}

TEST(ProjectFile, FlagNamesCoverEveryNamedBitOnce)
{
    const std::set<int> bits = {0,  1,  2,  4,  5,  6,  7,  8,  9,  10, 11, 12, 14, 15, 16, 17, 18, 19,
                                20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 31, 32, 33, 35, 36, 37, 38, 40};
    std::set<int> seen;
    std::set<std::string> names;
    for (const ProductFlagName& f : kProductFlagNames) {
        EXPECT_TRUE(seen.insert(f.bit).second) << f.name;
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
        EXPECT_EQ(std::string(f.name).find_first_not_of("abcdefghijklmnopqrstuvwxyz_0123456789"), std::string::npos);
    }
    EXPECT_EQ(seen, bits);

    // Each name sets exactly its bit.
    ProjectDir d;
    for (const ProductFlagName& f : kProductFlagNames) {
        if (f.bit == kFlagMasterUpdate)
            continue;   // needs a master product name too; covered above
        std::string archive = f.bit == kFlagCompressedData ? "" : "[archive]\ncompress = false\n";
        d.write("p.toml", std::string("[product]\nname = \"X\"\n[flags]\n") + f.name + " = true\n" + archive);
        EXPECT_EQ(loadProject(d.path("p.toml")).spec.productFlags, productFlagMask(f.bit)) << f.name;
    }
}

TEST(ProjectFile, ErrorsNameTheFileLineAndKey)
{
    ProjectDir d;
    d.write("a.txt", "a");
    const std::string p = d.path("p.toml");
    struct Case { std::string toml; std::string expected; };
    const Case cases[] = {
        {"[product]\nname = \"X\"\ncolour = 1\n", p + ":3: product.colour: unknown key"},
        {"[product]\nname = \"X\"\n[flags]\nverbose = true\n", p + ":4: flags.verbose: unknown key"},
        {"[product]\nname = 5\n", p + ":2: product.name: must be a text"},
        {"[product]\nname = \"X\"\n[flags]\nask_directory = 1\n", p + ":4: flags.ask_directory: must be true or false"},
        {"[product]\nname = \"  \"\n", p + ":2: product.name: the product name must not be empty"},
        {"[product]\nversion = \"1\"\n", p + ":1: product: product.name is missing"},
        {"[product]\nname = \"X\"\n\n[[files]]\nsource = \"missing.txt\"\n",
         p + ":5: files[0].source: \"missing.txt\" does not exist"},
        {"[product]\nname = \"X\"\n[texts]\nreadme = \"nope.txt\"\n", p + ":4: texts.readme: cannot read file"},
        {"[product]\nname = \"X\"\n[appearance]\nbitmap_share = 101\n",
         p + ":4: appearance.bitmap_share: must be 0 to 100"},
        {"[product]\nname = \"X\"\n[[files]]\nsource = \"a.txt\"\nkind = \"desktop\"\n",
         p + ":5: files[0].kind: \"desktop\" is not one of"},
        {"[product]\nname = \"X\"\n[messages]\n16 = \"Drive %s\"\n", p + ":4: messages.16: the installer passes %c"},
        {"[product\nname = \"X\"\n", p + ":1: "},
        {"[product]\nname = \"X\"\n[[files]]\nsource = \"a.txt\"\nkind = \"shared\"\n",
         p + ":5: files[0].kind: shared files need flags.uninstall_support = true"},
        {"[product]\nname = \"X\"\n[[delete]]\npath = \"a\"\ncondition = \"older\"\nvalue = \"soon\"\n",
         p + ":6: delete[0].value: \"soon\" is not a date"},
        {"[product]\nname = \"X\"\n[[delete]]\npath = \"a\"\ncondition = \"newer\"\n",
         p + ":3: delete[0]: value is missing (the date"},
        {"[product]\nname = \"X\"\n[[delete]]\npath = \"a\"\ncondition = \"size_at_most\"\nvalue = \"1k\"\n",
         p + ":6: delete[0].value: \"1k\" is not a byte count"},
        {"[product]\nname = \"X\"\n[archive]\ncompression = \"max\"\n",
         p + ":4: archive.compression: \"max\" is not one of best, fast"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.toml, d).substr(0, c.expected.size()), c.expected) << c.toml;
}

TEST(ProjectFile, GlobPatterns)
{
    struct Case { const char* pattern; const char* path; bool match; };
    const Case cases[] = {
        {"*.txt", "a.txt", true},          {"*.txt", "sub/a.txt", false},   {"**/*.txt", "a.txt", true},
        {"**/*.txt", "x/y/a.txt", true},   {"bin/*", "bin/a.exe", true},    {"bin/*", "bin/x/a.exe", false},
        {"bin/**", "bin/x/a.exe", true},   {"?.txt", "a.txt", true},        {"?.txt", "ab.txt", false},
        {"a/**/b", "a/b", true},           {"a/**/b", "a/x/y/b", true},     {"*.TXT", "a.txt", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(globMatch(c.pattern, c.path), c.match) << c.pattern << " " << c.path;
}
