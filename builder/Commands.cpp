#include "builder/Commands.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/FileRecord.h"
#include "archive/format/SettingsLayout.h"
#include "builder/InstallerBuilder.h"
#include "builder/InstallerReader.h"
#include "builder/ProjectFile.h"
#include "builder/StarterProject.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char kBuildHelp[] =
    "usage: quiv build PROJECT.toml [-o OUTPUT.exe] [--stub ENGINE.exe] [--fast] [--quiet]\n"
    "\n"
    "Builds the installer that PROJECT.toml describes. The output is written to a temporary\n"
    "file and renamed when complete, so an error leaves no partial installer behind.\n"
    "  -o, --output PATH  the installer to write (default: [build] output of the project,\n"
    "                     else setup.exe beside the project file); volume files go beside it\n"
    "  --stub PATH        the engine to copy (default: $QUIV_STUB, qsx.exe beside quiv, or\n"
    "                     ../win64/qsx.exe from quiv's folder)\n"
    "  --fast             the lazy hash-chain compressor, whatever [archive] compression\n"
    "                     says (a larger installer)\n"
    "  --quiet            no progress display\n";
const char kListHelp[] =
    "usage: quiv list INSTALLER.exe\n"
    "\n"
    "Reads the installer (and its volume files beside it) as the installer reads itself, checks\n"
    "every checksum and prints the header, the settings and the stored files.\n";
const char kExtractHelp[] =
    "usage: quiv extract INSTALLER.exe DIR\n"
    "\n"
    "Writes the stored files below DIR, every checksum verified, in one folder per destination\n"
    "(InstallDir, SharedDir, Fonts, System, UninstallDir).\n";
const char kNewHelp[] =
    "usage: quiv new DIR\n"
    "\n"
    "Creates DIR/quiv.toml, a commented starter project, with a read-me, a licence and a\n"
    "files/ folder. Refuses to overwrite an existing quiv.toml.\n";
const char kMainHelp[] =
    "usage: quiv COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  build PROJECT.toml   build an installer\n"
    "  list INSTALLER.exe   show what an installer holds, all checksums verified\n"
    "  extract INSTALLER.exe DIR   write its files below DIR\n"
    "  new DIR              start a project\n"
    "\n"
    "quiv COMMAND --help describes each command.\n";

bool wantsHelp(const std::vector<std::string>& args)
{
    for (const std::string& a : args)
        if (a == "--help" || a == "-h")
            return true;
    return false;
}

int usage(std::ostream& err, const char* help, const std::string& problem)
{
    err << "quiv: " << problem << "\n\n" << help;
    return 2;
}

std::vector<uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes every file to a temporary name beside it, then renames them all; on any failure the
// temporary files are removed and the targets are left as they were.
void writeAll(const std::vector<std::pair<fs::path, const std::vector<uint8_t>*>>& files)
{
    std::vector<std::pair<fs::path, fs::path>> done;
    auto cleanup = [&] {
        std::error_code ec;
        for (auto& d : done)
            fs::remove(d.second, ec);
    };
    for (const auto& [path, bytes] : files) {
        fs::path temp = path;
        temp += ".tmp-" + std::to_string(::getpid());
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
        out.close();
        done.emplace_back(path, temp);
        if (!out) {
            cleanup();
            throw std::runtime_error("cannot write " + path.string());
        }
    }
    for (auto& [path, temp] : done) {
        std::error_code ec;
        fs::rename(temp, path, ec);
        if (ec) {
            cleanup();
            throw std::runtime_error("cannot write " + path.string() + ": " + ec.message());
        }
    }
}

std::string megabytes(uint64_t n)
{
    std::ostringstream s;
    s << std::fixed << std::setprecision(1) << double(n) / (1024.0 * 1024.0) << " MB";
    return s.str();
}

struct BuildArgs {
    std::string project, output, stub;
    bool quiet = false;
    bool fast = false;
};

bool parseBuildArgs(const std::vector<std::string>& args, BuildArgs& b, std::string& problem)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                problem = a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (a == "-o" || a == "--output") {
            if (!value(b.output))
                return false;
        } else if (a == "--stub") {
            if (!value(b.stub))
                return false;
        } else if (a == "--fast") {
            b.fast = true;
        } else if (a == "--quiet" || a == "-q") {
            b.quiet = true;
        } else if (!a.empty() && a[0] == '-') {
            problem = "unknown option " + a;
            return false;
        } else if (b.project.empty()) {
            b.project = a;
        } else {
            problem = "only one project file, please";
            return false;
        }
    }
    if (b.project.empty())
        problem = "no project file given";
    return problem.empty();
}

std::string g_programDir;

} // namespace

std::string findEngine(const std::string& programDir)
{
    if (const char* env = std::getenv("QUIV_STUB"); env && *env)
        return env;
    for (const fs::path& p : {fs::path(programDir) / "qsx.exe", fs::path(programDir) / ".." / "win64" / "qsx.exe"}) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec))
            return p.lexically_normal().string();
    }
    return "";
}

int runBuild(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (wantsHelp(args)) {
        out << kBuildHelp;
        return 0;
    }
    BuildArgs b;
    std::string problem;
    if (!parseBuildArgs(args, b, problem))
        return usage(err, kBuildHelp, problem);
    try {
        const bool progress = !b.quiet && ::isatty(2);
        uint64_t readBytesTotal = 0;
        size_t readCount = 0;
        Project project = loadProject(b.project, [&](const std::string&, uint64_t size) {
            readBytesTotal += size;
            ++readCount;
            if (progress && (readCount % 64 == 0 || size > (1u << 20)))
                err << "\rreading files: " << readCount << ", " << megabytes(readBytesTotal) << std::flush;
        });
        if (progress && readCount >= 64)
            err << "\rreading files: " << readCount << ", " << megabytes(readBytesTotal) << "\n";
        for (const std::string& w : project.warnings)
            err << "quiv: warning: " << w << "\n";

        std::string stub = b.stub.empty() ? findEngine(g_programDir) : b.stub;
        if (stub.empty())
            throw std::runtime_error("no engine found (qsx.exe); name one with --stub");
        std::vector<uint8_t> engine = readBytes(stub);

        fs::path projectDir = fs::path(b.project).parent_path();
        fs::path output = !b.output.empty()         ? fs::path(b.output)
                          : !project.output.empty() ? projectDir / project.output
                                                    : projectDir / "setup.exe";
        InstallerInput input{project.spec, std::move(project.files), project.volumeSize,
                             b.fast ? CompressionLevel::kFast : project.compression};
        const bool compress = input.spec.hasFlag(kFlagCompressedData);
        if (progress && compress && readBytesTotal > (4u << 20))
            err << "compressing " << megabytes(readBytesTotal) << "..." << std::flush;
        InstallerOutput result = buildInstaller(engine, std::move(input));
        if (progress && compress && readBytesTotal > (4u << 20))
            err << " done\n";

        std::vector<std::pair<fs::path, const std::vector<uint8_t>*>> files = {{output, &result.installer}};
        for (const auto& [name, bytes] : result.volumes)
            files.emplace_back(output.parent_path() / name, &bytes);
        if (!output.parent_path().empty())
            fs::create_directories(output.parent_path());
        writeAll(files);
        out << output.string() << ": " << result.installer.size() << " bytes, " << readCount << " files, data "
            << result.plainDataSize << " -> " << result.storedDataSize << " bytes";
        if (!result.volumes.empty())
            out << ", " << result.volumes.size() << " volume files";
        out << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << "quiv: " << e.what() << "\n";
        return 1;
    }
}

namespace {

std::string str(const String& s) { return std::string(s.Data(), s.Length()); }

std::string hex(uint32_t v)
{
    std::ostringstream s;
    s << "0x" << std::hex << std::uppercase << std::setw(8) << std::setfill('0') << v;
    return s.str();
}

const char* kindName(uint32_t kind)
{
    switch (kind) {
    case kKindInstallDir: return "install";
    case kKindSharedDir: return "shared";
    case kKindFont: return "font";
    case kKindInstallDirStartup: return "startup";
    case kKindSystemDir: return "system";
    case kKindSystemComServer: return "com_server";
    case kKindSystemTypeLibrary: return "type_library";
    }
    return "?";
}

void printSettings(const InstallerContents& c, std::ostream& out)
{
    const ProductSettings& s = *c.settings;
    out << "product:      " << str(c.productName) << " " << str(s.displayVersion) << "\n";
    out << "publisher:    " << str(s.publisher) << "\n";
    out << "directory:    " << str(s.defaultDirectory) << "\n";
    out << "start menu:   " << str(s.productStartMenu) << "\n";
    out << "uninstall:    " << str(s.uninstallKeyName) << " (" << str(s.uninstallSubdir) << "\\"
        << str(s.uninstallerFileName) << ")\n";
    std::string flags;
    for (const ProductFlagName& f : kProductFlagNames)
        if (s.hasFlag(f.bit))
            flags += (flags.empty() ? "" : " ") + std::string(f.name);
    out << "flags:        " << hex(uint32_t(s.productFlags >> 32)) << hex(uint32_t(s.productFlags)).substr(2) << " "
        << flags << "\n";
    out << "licence/readme texts: " << s.licenceCount << "/" << s.readmeCount
        << ", associations: " << s.associations.Count() << ", deletions: " << s.deletions.Count()
        << ", uninstall values: " << s.uninstallValues.Count() << "\n";
    out << "languages:    ";
    for (int i = 0; i < c.languages->languageCount(); ++i)
        out << (i ? ", " : "") << str(c.languages->name(i));
    out << " (" << c.languages->messageCount() << " messages)\n";
}

} // namespace

int runList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (wantsHelp(args)) {
        out << kListHelp;
        return 0;
    }
    if (args.size() != 1)
        return usage(err, kListHelp, "one installer, please");
    try {
        std::vector<uint8_t> image = readBytes(args[0]);
        InstallerContents c = readInstaller(image, volumesInDirectory(fs::path(args[0]).parent_path().string()));
        const ArchiveHeaderFields& h = c.header;
        out << "installer:    " << args[0] << ", " << image.size() << " bytes, archive at " << c.sectionRawOffset
            << " (" << c.sectionRawSize << " bytes)\n";
        out << "format:       " << h.version * 0.01 << ", settings " << h.settingsSize
            << " bytes, key " << hex(h.settingsKey) << " (checksum ok)\n";
        out << "stub:         checksum " << hex(h.stubChecksum) << (c.stubChecksumMatches() ? " ok" : " differs")
            << (c.settings->hasFlag(kFlagCheckStub) ? " (checked)" : " (not checked)") << "\n";
        out << "file data:    " << h.dataSize << " bytes" << (c.dataCompressed ? " compressed" : "") << " ("
            << c.plainDataSize << " plain), checksum " << hex(h.dataChecksum) << " ok";
        for (const std::string& v : c.volumeNames)
            out << ", " << v;
        out << "\n";
        printSettings(c, out);
        out << "files:        " << c.files.size() << " (every checksum ok)\n";
        for (const StoredFile& f : c.files) {
            out << "  " << std::setw(10) << f.data.size() << "  " << std::setw(12) << std::left << kindName(f.kind)
                << std::right << " " << f.name;
            if (!f.destination.empty())
                out << " -> " << f.destination;
            if (f.hasShortcut() || f.kind == kKindInstallDirStartup)
                out << "  [shortcut \"" << f.text << "\"]";
            else if (!f.text.empty())
                out << "  [" << f.text << "]";
            out << "\n";
        }
        return 0;
    } catch (const std::exception& e) {
        err << "quiv: " << args[0] << ": " << e.what() << "\n";
        return 1;
    }
}

std::string extractPath(const std::string& name, unsigned kind, unsigned flags, const std::string& destination)
{
    std::string base = (flags & kFileInUninstallDir) ? "UninstallDir"
                       : kind == kKindSharedDir      ? "SharedDir"
                       : kind == kKindFont           ? "Fonts"
                       : kind >= kKindSystemDir      ? "System"
                                                     : "InstallDir";
    std::string fileName = name;
    std::string dest = destination;
    if (!dest.empty() && dest.find('\\') == std::string::npos) {
        fileName = dest;
        dest.clear();
    }
    std::vector<std::string> parts;
    std::string part;
    bool anchored = false;
    auto flush = [&] {
        if (part.size() == 2 && part[1] == ':')
            part.clear();   // a drive letter
        if (part.size() > 2 && part.front() == '%' && part.back() == '%') {
            part = part.substr(1, part.size() - 2);
            if (parts.empty())
                anchored = true;
        }
        if (part == "." || part == "..")
            throw std::runtime_error("destination \"" + destination + "\" leaves its folder");
        if (!part.empty())
            parts.push_back(part);
        part.clear();
    };
    for (char ch : dest) {
        if (ch == '\\' || ch == '/')
            flush();
        else
            part += ch;
    }
    const bool folder = part.empty();
    flush();
    if (folder)
        parts.push_back(fileName);
    if (fileName.empty() || fileName == "." || fileName == ".." || fileName.find_first_of("/\\") != std::string::npos)
        throw std::runtime_error("file name \"" + fileName + "\" cannot be written");
    fs::path p = anchored ? fs::path() : fs::path(base);
    for (const std::string& s : parts)
        p /= s;
    return p.generic_string();
}

int runExtract(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (wantsHelp(args)) {
        out << kExtractHelp;
        return 0;
    }
    if (args.size() != 2)
        return usage(err, kExtractHelp, "an installer and a folder, please");
    try {
        std::vector<uint8_t> image = readBytes(args[0]);
        InstallerContents c = readInstaller(image, volumesInDirectory(fs::path(args[0]).parent_path().string()));
        for (const StoredFile& f : c.files) {
            fs::path target = fs::path(args[1]) / extractPath(f.name, f.kind, f.flags, f.destination);
            fs::create_directories(target.parent_path());
            writeAll({{target, &f.data}});
            out << target.string() << "\n";
        }
        return 0;
    } catch (const std::exception& e) {
        err << "quiv: " << args[0] << ": " << e.what() << "\n";
        return 1;
    }
}

int runNew(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (wantsHelp(args)) {
        out << kNewHelp;
        return 0;
    }
    if (args.size() != 1)
        return usage(err, kNewHelp, "one folder, please");
    fs::path dir(args[0]);
    if (fs::exists(dir / "quiv.toml")) {
        err << "quiv: " << (dir / "quiv.toml").string() << " exists already\n";
        return 1;
    }
    try {
        fs::create_directories(dir / "files");
        for (const StarterFile& f : starterProjectFiles()) {
            if (fs::exists(dir / f.path))
                continue;
            std::vector<uint8_t> bytes(f.text.begin(), f.text.end());
            writeAll({{dir / f.path, &bytes}});
        }
        out << "created " << (dir / "quiv.toml").string() << "; build it with: quiv build "
            << (dir / "quiv.toml").string() << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << "quiv: " << e.what() << "\n";
        return 1;
    }
}

int runQuiv(int argc, char** argv, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    g_programDir = (ec ? fs::path(argc > 0 ? argv[0] : "") : self).parent_path().string();
    if (argc < 2) {
        err << kMainHelp;
        return 2;
    }
    std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "build")
        return runBuild(args, out, err);
    if (command == "list")
        return runList(args, out, err);
    if (command == "extract")
        return runExtract(args, out, err);
    if (command == "new")
        return runNew(args, out, err);
    if (command == "--help" || command == "-h" || command == "help") {
        out << kMainHelp;
        return 0;
    }
    return usage(err, kMainHelp, "unknown command " + command);
}
