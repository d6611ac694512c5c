// The example product built by the builder with the real engine: the engine accepts its
// archive (header, settings block, checksums), shows no corrupt-installer box and installs.

#include "builder/InstallerBuilder.h"
#include "builder/ProjectFile.h"
#include "tests/support/WineRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(HelloInstaller, EngineAcceptsTheBuiltArchive)
{
    const fs::path engine = Win64File("qsx.exe");
    if (!fs::exists(engine))
        GTEST_SKIP() << "the x86_64 engine is not built";
    const fs::path project = fs::path(__FILE__).parent_path() / ".." / ".." / ".." / "examples" / "hello" / "quiv.toml";
    Project p = loadProject(project.lexically_normal().string());
    std::ifstream in(engine, std::ios::binary);
    std::vector<uint8_t> stub((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    InstallerOutput out = buildInstaller(stub, {p.spec, p.files, 0});

    const fs::path setup = fs::temp_directory_path() / ("quiv-hello-" + std::to_string(::getpid()) + ".exe");
    std::ofstream(setup, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.installer.data()), std::streamsize(out.installer.size()));
    // An earlier Hello (make demo's) would be reinstalled in its own folder: it goes first.
    const std::string key = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Hello";
    RunInWine("C:\\windows\\system32\\reg.exe", {"delete", key, "/f"}, WineRunOptions());
    // Automatic mode asks nothing; only the background window is up.
    const fs::path target = fs::temp_directory_path() / ("quiv-hello-" + std::to_string(::getpid()));
    WineRunOptions options;
    options.rules = {"class \"QSX Window Class\""};
    WineRunResult r = RunInWine(setup.string(), {"/a", "/d:" + WinePath(target.string())}, options);
    fs::remove(setup);
    // The installation and its entry go again, so that later runs of Hello start afresh.
    EXPECT_TRUE(fs::exists(target / "greeting.hello")) << r.Transcript();
    fs::remove_all(target);
    RunInWine("C:\\windows\\system32\\reg.exe", {"delete", key, "/f"}, WineRunOptions());
    EXPECT_EQ("", r.failure) << r.Transcript();
    EXPECT_EQ(1, r.exitCode) << r.Transcript();
    for (const WineWindow& w : r.windows)
        EXPECT_EQ("QSX Window Class", w.className) << r.Transcript();
}
