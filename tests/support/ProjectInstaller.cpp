#include "tests/support/ProjectInstaller.h"

#include "builder/InstallerBuilder.h"
#include "builder/ProjectFile.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WineRun.h"

#include <cstdlib>

namespace fs = std::filesystem;

fs::path newTestFolder(const std::string& name)
{
    std::string pattern = (fs::temp_directory_path() / ("quiv-" + name + "-XXXXXX")).string();
    return fs::path(mkdtemp(pattern.data()));
}

fs::path buildFromProject(const fs::path& folder, const std::string& toml)
{
    Project p = parseProject(toml, (folder / "quiv.toml").string(), folder.string());
    InstallerOutput out = buildInstaller(readBytes(Win64File("qsx.exe")), {p.spec, p.files, 0});
    const fs::path setup = folder / "setup.exe";
    writeBytes(setup.string(), out.installer);
    return setup;
}
