#include "builder/ProjectFile.h"

#include "archive/format/SettingsLayout.h"
#include "builder/Messages.h"
#include "builder/SettingsWriter.h"
#include "install/portable/DeletionCondition.h"

#include <toml++/toml.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

ProjectError::ProjectError(const std::string& file, int line, const std::string& key, const std::string& problem)
    : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : "") + ": " +
                         (key.empty() ? "" : key + ": ") + problem),
      file_(file), line_(line), key_(key)
{
}

namespace {

// ---------------------------------------------------------------- table reader

int lineOf(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

// Reads the keys of one table, remembering which were read, so that finish() can name the
// first key nobody asked for.
class Table {
public:
    Table(const toml::table& table, std::string file, std::string path)
        : table_(table), file_(std::move(file)), path_(std::move(path)) {}

    [[noreturn]] void fail(const std::string& key, const std::string& problem) const
    {
        const toml::node* node = table_.get(key);
        throw ProjectError(file_, node ? lineOf(*node) : lineOf(table_), name(key), problem);
    }
    [[noreturn]] void failTable(const std::string& problem) const
    {
        throw ProjectError(file_, lineOf(table_), path_, problem);
    }
    std::string name(const std::string& key) const { return path_.empty() ? key : path_ + "." + key; }
    const std::string& file() const { return file_; }
    int line() const { return lineOf(table_); }

    bool has(const std::string& key) const { return table_.contains(key); }

    const toml::node* node(const std::string& key)
    {
        used_.insert(key);
        return table_.get(key);
    }

    std::string text(const std::string& key, const std::string& fallback = "")
    {
        const toml::node* n = node(key);
        if (!n)
            return fallback;
        if (!n->is_string())
            fail(key, "must be a text (in double quotes)");
        std::string s = n->as_string()->get();
        if (s.find('\0') != std::string::npos)
            fail(key, "holds a zero byte");
        return s;
    }
    bool flag(const std::string& key, bool fallback)
    {
        const toml::node* n = node(key);
        if (!n)
            return fallback;
        if (!n->is_boolean())
            fail(key, "must be true or false");
        return n->as_boolean()->get();
    }
    int64_t integer(const std::string& key, int64_t fallback, int64_t low, int64_t high)
    {
        const toml::node* n = node(key);
        if (!n)
            return fallback;
        if (!n->is_integer())
            fail(key, "must be a whole number");
        int64_t v = n->as_integer()->get();
        if (v < low || v > high)
            fail(key, "must be " + std::to_string(low) + " to " + std::to_string(high) + ", not " + std::to_string(v));
        return v;
    }
    std::vector<std::string> textList(const std::string& key)
    {
        std::vector<std::string> out;
        const toml::node* n = node(key);
        if (!n)
            return out;
        if (n->is_string())
            return {text(key)};
        const toml::array* a = n->as_array();
        if (!a)
            fail(key, "must be a text or a list of texts");
        for (const toml::node& e : *a) {
            if (!e.is_string())
                throw ProjectError(file_, lineOf(e), name(key), "every entry must be a text");
            out.push_back(e.as_string()->get());
        }
        return out;
    }
    // A sub-table (absent: an empty one).
    Table sub(const std::string& key)
    {
        const toml::node* n = node(key);
        if (!n)
            return Table(empty(), file_, name(key));
        if (!n->is_table())
            fail(key, "must be a table");
        return Table(*n->as_table(), file_, name(key));
    }
    // An array of tables ([[key]]); a single inline table counts as one.
    std::vector<Table> tables(const std::string& key)
    {
        std::vector<Table> out;
        const toml::node* n = node(key);
        if (!n)
            return out;
        if (n->is_table())
            return {Table(*n->as_table(), file_, name(key))};
        const toml::array* a = n->as_array();
        if (!a)
            fail(key, "must be a list of tables ([[" + name(key) + "]])");
        size_t i = 0;
        for (const toml::node& e : *a) {
            if (!e.is_table())
                throw ProjectError(file_, lineOf(e), name(key), "every entry must be a table");
            out.emplace_back(*e.as_table(), file_, name(key) + "[" + std::to_string(i++) + "]");
        }
        return out;
    }
    const toml::table& raw() const { return table_; }
    void markAllUsed()
    {
        for (auto&& [k, v] : table_)
            used_.insert(std::string(k.str()));
    }

    // Throws for the first key that was never read.
    void finish() const
    {
        for (auto&& [k, v] : table_) {
            std::string key(k.str());
            if (!used_.count(key))
                throw ProjectError(file_, static_cast<int>(k.source().begin.line ? k.source().begin.line : lineOf(v)),
                                   name(key), "unknown key");
        }
    }

private:
    static const toml::table& empty()
    {
        static const toml::table t;
        return t;
    }

    const toml::table& table_;
    std::string file_;
    std::string path_;
    std::set<std::string> used_;
};

toml::table parseToml(const std::string& text, const std::string& name)
{
    try {
        return toml::parse(text, name);
    } catch (const toml::parse_error& e) {
        throw ProjectError(name, static_cast<int>(e.source().begin.line), "", std::string(e.description()));
    }
}

std::string readWholeFile(const fs::path& path, bool& ok)
{
    std::ifstream in(path, std::ios::binary);
    ok = static_cast<bool>(in);
    if (!ok)
        return "";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// ---------------------------------------------------------------- value kinds by name

template <typename T>
struct Named {
    const char* name;
    T value;
};

template <typename T, size_t N>
T byName(Table& t, const std::string& key, const Named<T> (&table)[N], T fallback)
{
    if (!t.has(key)) {
        t.node(key);
        return fallback;
    }
    std::string v = t.text(key);
    std::string known;
    for (const Named<T>& n : table) {
        if (v == n.name)
            return n.value;
        known += (known.empty() ? "" : ", ") + std::string(n.name);
    }
    t.fail(key, "\"" + v + "\" is not one of " + known);
}

const Named<uint32_t> kKinds[] = {
    {"install", kKindInstallDir},          {"shared", kKindSharedDir},
    {"font", kKindFont},                   {"startup", kKindInstallDirStartup},
    {"system", kKindSystemDir},            {"com_server", kKindSystemComServer},
    {"type_library", kKindSystemTypeLibrary},
};
const Named<uint32_t> kExistence[] = {
    {"always", 0}, {"never", 1}, {"if_present", 2}, {"if_absent", 3},
};
const Named<uint32_t> kAttributes[] = {
    {"read_only", 0x1}, {"hidden", 0x2}, {"system", 0x4}, {"archive", 0x20}, {"temporary", 0x100}, {"offline", 0x1000},
};
const Named<int8_t> kDeleteConditions[] = {
    {"always", 0},     {"same_date", 1},     {"older", 2},      {"newer", 3},
    {"size_equal", 4}, {"size_at_least", 5}, {"size_at_most", 6},
};
const Named<uint8_t> kValueTypes[] = {{"string", 1}, {"expand", 2}, {"number", 4}};
const Named<CompressionLevel> kCompressionLevels[] = {{"best", CompressionLevel::kBest}, {"fast", CompressionLevel::kFast}};
const Named<uint8_t> kShortcutModes[] = {{"current_user", 0}, {"all_users", 1}};
const Named<uint32_t> kSystems[] = {
    {"other", kExcludeOtherSystem}, {"win32s", kExcludeWin32s},     {"windows_95", kExcludeWindows95},
    {"windows_98", kExcludeWindows98}, {"windows_me", kExcludeWindowsMe}, {"nt3", kExcludeNt3},
    {"nt4", kExcludeNt4},           {"windows_2000", kExcludeWindows2000}, {"windows_xp", kExcludeWindowsXp},
    {"server_2003", kExcludeServer2003},
};

template <typename T, size_t N>
T maskByNames(Table& t, const std::string& key, const Named<T> (&table)[N])
{
    T mask = 0;
    for (const std::string& v : t.textList(key)) {
        bool found = false;
        for (const Named<T>& n : table)
            if (v == n.name) {
                mask |= n.value;
                found = true;
            }
        if (!found) {
            std::string known;
            for (const Named<T>& n : table)
                known += (known.empty() ? "" : ", ") + std::string(n.name);
            t.fail(key, "\"" + v + "\" is not one of " + known);
        }
    }
    return mask;
}

// "#RRGGBB" or a number 0x00BBGGRR.
uint32_t colour(Table& t, const std::string& key, uint32_t fallback)
{
    const toml::node* n = t.node(key);
    if (!n)
        return fallback;
    if (n->is_integer())
        return static_cast<uint32_t>(t.integer(key, 0, 0, 0xFFFFFF));
    std::string v = t.text(key);
    if (v.size() != 7 || v[0] != '#' || v.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
        t.fail(key, "must be a colour \"#RRGGBB\"");
    uint32_t rgb = static_cast<uint32_t>(std::stoul(v.substr(1), nullptr, 16));
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;   // red in the low byte
}

// "YYYY-MM-DD HH:MM:SS" (or a TOML date-time / date).
ArchiveTime timeValue(Table& t, const std::string& key)
{
    ArchiveTime at;
    const toml::node* n = t.node(key);
    if (!n)
        return at;
    if (const toml::value<toml::date_time>* dt = n->as_date_time()) {
        const toml::date_time& v = dt->get();
        at = {v.date.year, v.date.month, v.date.day, v.time.hour, v.time.minute, v.time.second};
        return at;
    }
    if (const toml::value<toml::date>* d = n->as_date()) {
        at.year = d->get().year;
        at.month = d->get().month;
        at.day = d->get().day;
        return at;
    }
    t.fail(key, "must be a date and time such as 2026-12-10T09:30:00");
}

// ---------------------------------------------------------------- project parts

struct Loader {
    std::string file;
    fs::path dir;
    Project& project;
    const ProjectProgress& progress;

    fs::path resolve(const std::string& p) const
    {
        fs::path path(p);
        return path.is_absolute() ? path : dir / path;
    }

    std::vector<uint8_t> readFile(Table& t, const std::string& key, const std::string& p)
    {
        bool ok = false;
        std::string s = readWholeFile(resolve(p), ok);
        if (!ok || fs::is_directory(resolve(p)))
            t.fail(key, "cannot read file \"" + p + "\"");
        return std::vector<uint8_t>(s.begin(), s.end());
    }
    std::string readText(Table& t, const std::string& key, const std::string& p)
    {
        std::vector<uint8_t> b = readFile(t, key, p);
        std::string s(b.begin(), b.end());
        if (s.find('\0') != std::string::npos)
            t.fail(key, "file \"" + p + "\" holds a zero byte: not a text");
        return s;
    }
};

void readProduct(Loader& L, Table t)
{
    ProductSpec& s = L.project.spec;
    s.productName = t.text("name");
    if (s.productName.find_first_not_of(" \t\r\n") == std::string::npos)
        t.has("name") ? t.fail("name", "the product name must not be empty") : t.failTable("product.name is missing");
    s.displayVersion = t.text("version");
    s.publisher = t.text("publisher");
    s.defaultDirectory = t.text("default_directory");
    s.sharedPath = t.text("shared_directory");
    s.productStartMenu = t.text("start_menu_folder");
    s.desktopFolder = t.text("desktop_folder");
    s.productRegistry = t.text("registry_key");
    s.shortcutMode = byName(t, "shortcuts_for", kShortcutModes, uint8_t{0});
    s.excludedSystems = maskByNames(t, "excluded_systems", kSystems);
    s.stepDelay = static_cast<uint16_t>(t.integer("step_delay", 0, 0, kMaxStepDelay));
    if (t.has("master_product")) {
        s.masterKeyName = t.text("master_product");
        s.setFlag(kFlagMasterUpdate);
    }
    t.finish();
}

void readFlags(Loader& L, Table t)
{
    for (const ProductFlagName& f : kProductFlagNames)
        if (t.has(f.name))
            L.project.spec.setFlag(f.bit, t.flag(f.name, false));
    t.finish();
}

void readAppearance(Loader& L, Table t)
{
    ProductSpec& s = L.project.spec;
    s.titleColor = colour(t, "title_color", 0xFFFFFF);
    s.titleShadow = static_cast<uint8_t>(t.integer("title_shadow", 2, 0, 255));
    s.topColor = colour(t, "top_color", 0x800000);      // dark blue
    s.bottomColor = colour(t, "bottom_color", 0x000000);
    if (t.has("background_bitmap"))
        s.backgroundBitmap = L.readFile(t, "background_bitmap", t.text("background_bitmap"));
    s.bitmapSize = static_cast<uint32_t>(t.integer("bitmap_share", 0, 0, kMaxBitmapSize));
    t.finish();
}

void readTexts(Loader& L, Table t)
{
    ProductSpec& s = L.project.spec;
    for (const std::string& p : t.textList("licence"))
        s.licenceTexts.push_back(L.readText(t, "licence", p));
    for (const std::string& p : t.textList("readme"))
        s.readmeTexts.push_back(L.readText(t, "readme", p));
    if (s.licenceTexts.size() > kMaxLicenceTexts)
        t.fail("licence", "at most " + std::to_string(kMaxLicenceTexts) + " licence texts");
    if (s.readmeTexts.size() > kMaxReadmeTexts)
        t.fail("readme", "at most " + std::to_string(kMaxReadmeTexts) + " read-me texts");
    t.finish();
}

void readBatch(Loader& L, Table t)
{
    ProductSpec& s = L.project.spec;
    s.batchText1 = t.text("before_files");
    s.batchText2 = t.text("after_actions");
    s.batchText3 = t.text("at_end");
    s.uninstallBatch1 = t.text("uninstall_first");
    s.uninstallBatch2 = t.text("uninstall_second");
    t.finish();
}

void readUninstall(Loader& L, Table t)
{
    ProductSpec& s = L.project.spec;
    s.uninstallSubdir = t.text("subdirectory", "Uninstall");
    s.uninstallerFileName = t.text("program_name", "Uninstall.exe");
    s.uninstallKeyName = t.text("key_name");
    s.uninstallerTime = [&] {
        ArchiveTime a = timeValue(t, "program_time");
        return ProductSpec::Time{a.year, a.month, a.day, a.hour, a.minute, a.second};
    }();
    for (Table v : t.tables("value")) {
        ProductSpec::UninstallValue u;
        u.name = v.text("name");
        if (u.name.empty())
            v.has("name") ? v.fail("name", "must not be empty") : v.failTable("name is missing");
        u.type = byName(v, "type", kValueTypes, uint8_t{1});
        u.value = v.text("value");
        v.finish();
        s.uninstallValues.push_back(u);
    }
    Table patch = t.sub("patch");
    if (!patch.raw().empty()) {
        s.patchOffset = static_cast<uint32_t>(patch.integer("offset", 0, 1, 0x7FFFFFFF));
        if (!patch.has("offset"))
            patch.failTable("offset is missing");
        if (!patch.has("file"))
            patch.failTable("file is missing");
        s.patchBytes = L.readFile(patch, "file", patch.text("file"));
        patch.finish();
        if (!s.hasFlag(kFlagUninstallSupport))
            patch.failTable("an uninstaller patch needs flags.uninstall_support = true");
    }
    t.finish();
}

void readArchive(Loader& L, Table t)
{
    ProductSpec& s = L.project.spec;
    if (t.has("compress"))
        s.setFlag(kFlagCompressedData, t.flag("compress", true));
    L.project.compression = byName(t, "compression", kCompressionLevels, CompressionLevel::kBest);
    L.project.volumeSize = static_cast<uint64_t>(t.integer("volume_size", 0, 0, int64_t(1) << 31));
    if (L.project.volumeSize != 0 && L.project.volumeSize <= 4)
        t.fail("volume_size", "a volume must be larger than 4 bytes (0: no volumes)");
    s.volumeBaseName = t.text("volume_name", "DATA");
    if (s.volumeBaseName.find_first_not_of(" \t\r\n") == std::string::npos)
        t.fail("volume_name", "must not be empty");
    s.firstVolumeNumber = static_cast<uint32_t>(t.integer("first_volume_number", kFirstVolumeNumber, 0, 0xFFFFFFFFll));
    t.finish();
}

// A date the engine cannot read makes it stop with a corrupt-installer message, and a size
// that is no number would compare as 0: both are refused here.
void checkDeletionValue(Table& t, const ProductSpec::Deletion& d)
{
    if (d.condition >= 1 && d.condition <= 3) {
        FileDeletion probe;
        probe.condition = d.condition;
        probe.value = d.value.c_str();
        bool matches = false;
        if (testDeletionCondition(probe, DateTime(), 0, matches) != 0)
            t.has("value") ? t.fail("value", "\"" + d.value + "\" is not a date such as 2020-01-31 or 2020-01-31 14:30")
                           : t.failTable("value is missing (the date of the condition)");
    } else if (d.condition >= 4 && d.condition <= 6) {
        if (d.value.empty() || d.value.find_first_not_of("0123456789") != std::string::npos)
            t.has("value") ? t.fail("value", "\"" + d.value + "\" is not a byte count (decimal digits)")
                           : t.failTable("value is missing (the byte count of the condition)");
    }
}

void readDeletions(Loader& L, std::vector<Table> list)
{
    for (Table& t : list) {
        ProductSpec::Deletion d;
        d.path = t.text("path");
        if (d.path.empty())
            t.has("path") ? t.fail("path", "must not be empty") : t.failTable("path is missing");
        if (d.path == kDeletionEndName)
            t.fail("path", "this name ends the deletion table and cannot be used");
        d.condition = byName(t, "condition", kDeleteConditions, int8_t{0});
        d.value = t.text("value");
        checkDeletionValue(t, d);
        d.flags = t.flag("at_restart", false) ? 0x2u : 0u;
        t.finish();
        L.project.spec.deletions.push_back(d);
    }
}

void readAssociations(Loader& L, std::vector<Table> list)
{
    for (Table& t : list) {
        ProductSpec::Association a;
        a.extension = t.text("extension");
        if (a.extension.empty())
            t.has("extension") ? t.fail("extension", "must not be empty") : t.failTable("extension is missing");
        a.fileType = t.text("file_type");
        a.description = t.text("description");
        a.verb = t.text("verb", "open");
        a.verbText = t.text("verb_text");
        a.command = t.text("command");
        a.language = t.text("language");
        a.icon = t.text("icon");
        a.flags = t.flag("default_verb", true) ? 1u : 0u;
        t.finish();
        L.project.spec.associations.push_back(a);
    }
}

// ---------------------------------------------------------------- files

std::string toBackslashes(std::string s)
{
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

struct FileOptions {
    uint32_t kind = kKindInstallDir;
    uint32_t flags = 0;
    uint32_t attributes = kKeepAttributes;
    std::string text;
    std::string icon, arguments;
    std::string destination;
    std::string timeMode;
    ArchiveTime time;
};

// The file's modification time in whole seconds (UTC), taken from the system as it is: a
// conversion through the two clocks' current times would lose a second now and then.
ArchiveTime sourceTime(const fs::path& p)
{
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0)
        throw std::runtime_error("cannot read the time of \"" + p.string() + "\"");
    std::time_t tt = st.st_mtime;
    std::tm tm{};
    gmtime_r(&tt, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

FileOptions readFileOptions(Table& t)
{
    FileOptions o;
    o.kind = byName(t, "kind", kKinds, uint32_t{kKindInstallDir});
    o.flags |= byName(t, "existing", kExistence, uint32_t{0}) << kFileExistenceShift;
    if (t.flag("leave_at_uninstall", false))
        o.flags |= kFileLeaveAtUninstall;
    if (t.flag("in_uninstall_directory", false))
        o.flags |= kFileInUninstallDir;
    if (t.has("attributes"))
        o.attributes = maskByNames(t, "attributes", kAttributes);
    else
        t.node("attributes");
    const bool system = o.kind == kKindSystemDir || o.kind == kKindSystemComServer || o.kind == kKindSystemTypeLibrary;
    if (t.has("version") && !system)
        t.fail("version", "only system files (kind system, com_server, type_library) carry a version");
    if (t.has("font_title") && o.kind != kKindFont)
        t.fail("font_title", "only fonts (kind = \"font\") carry a font title");
    o.text = system ? t.text("version") : o.kind == kKindFont ? t.text("font_title") : "";
    o.destination = t.text("destination");
    if (t.has("time") && t.node("time")->is_string()) {
        o.timeMode = t.text("time");
        if (o.timeMode != "source" && o.timeMode != "none")
            t.fail("time", "must be \"source\", \"none\" or a date and time");
    } else {
        o.time = timeValue(t, "time");
    }
    Table sc = t.sub("shortcut");
    if (!sc.raw().empty()) {
        if (o.kind != kKindInstallDir && o.kind != kKindInstallDirStartup)
            sc.failTable("only files of kind install or startup get shortcuts");
        o.text = sc.text("title");
        if (sc.flag("desktop", false))
            o.flags |= kFileDesktopShortcut;
        if (sc.flag("start_menu", true))
            o.flags |= kFileStartMenuShortcut;
        o.icon = sc.text("icon");
        o.arguments = sc.text("arguments");
        sc.finish();
    }
    return o;
}

StoredFile storedFile(Loader& L, Table& t, const fs::path& path, const std::string& name, const FileOptions& o,
                      const std::string& destination)
{
    StoredFile f;
    f.name = name;
    f.kind = o.kind;
    f.flags = o.flags;
    f.attributes = o.attributes;
    bool ok = false;
    std::string data = readWholeFile(path, ok);
    if (!ok)
        t.fail("source", "cannot read file \"" + path.string() + "\"");
    if (data.size() > static_cast<size_t>(kMaxStoredFileSize))
        t.fail("source", "file \"" + path.string() + "\" is larger than 1 GiB");
    f.data.assign(data.begin(), data.end());
    f.time = o.timeMode == "source" ? sourceTime(path) : o.time;
    f.text = o.text;
    f.shortcutIcon = o.icon;
    f.shortcutArguments = o.arguments;
    f.destination = destination;
    if (L.progress)
        L.progress(path.string(), f.data.size());
    return f;
}

// The destination of a file found at rel (its folder part, '/'-separated) below a folder
// source whose destination is base: the folder, backslash-ended, or empty for the kind's
// directory.
std::string folderDestination(const std::string& base, const std::string& relDir)
{
    std::string d = toBackslashes(base);
    if (!d.empty() && d.back() != '\\')
        d += '\\';
    if (!relDir.empty())
        d += toBackslashes(relDir) + "\\";
    return d;
}

void readFiles(Loader& L, std::vector<Table> list)
{
    for (Table& t : list) {
        if (!t.has("source"))
            t.failTable("source is missing");
        std::string source = t.text("source");
        FileOptions o = readFileOptions(t);
        // Without uninstall support the installer has no shared folder: the file would land in
        // whatever folder the installer was started from.
        if (o.kind == kKindSharedDir && !L.project.spec.hasFlag(kFlagUninstallSupport))
            t.fail("kind", "shared files need flags.uninstall_support = true (the shared folder comes with it)");
        fs::path root = L.resolve(source);
        std::error_code ec;
        if (!fs::exists(root, ec))
            t.fail("source", "\"" + source + "\" does not exist");
        if (!fs::is_directory(root, ec)) {
            if (t.has("include") || t.has("exclude"))
                t.fail(t.has("include") ? "include" : "exclude", "patterns need a folder as source");
            std::string name = t.text("name", root.filename().string());
            if (name.empty())
                t.fail("name", "must not be empty");
            L.project.files.push_back(storedFile(L, t, root, name, o, toBackslashes(o.destination)));
            t.finish();
            continue;
        }
        if (t.has("name"))
            t.fail("name", "a folder source keeps its files' names");
        std::vector<std::string> include = t.textList("include");
        std::vector<std::string> exclude = t.textList("exclude");
        if (include.empty())
            include = {"**"};
        std::vector<std::string> found;
        for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec)) {
            if (!it->is_regular_file())
                continue;
            std::string rel = fs::relative(it->path(), root).generic_string();
            auto matches = [&](const std::vector<std::string>& pats) {
                return std::any_of(pats.begin(), pats.end(), [&](const std::string& p) { return globMatch(p, rel); });
            };
            if (matches(include) && !matches(exclude))
                found.push_back(rel);
        }
        if (ec)
            t.fail("source", "cannot list folder \"" + source + "\": " + ec.message());
        if (found.empty())
            t.fail("source", "no file in \"" + source + "\" matches the patterns");
        if (found.size() > 1 && (o.flags & (kFileDesktopShortcut | kFileStartMenuShortcut)))
            t.fail("shortcut", "a shortcut needs a single file; the source gives " + std::to_string(found.size()));
        std::sort(found.begin(), found.end());   // the same order on every machine
        for (const std::string& rel : found) {
            size_t slash = rel.rfind('/');
            std::string dirPart = slash == std::string::npos ? "" : rel.substr(0, slash);
            std::string name = slash == std::string::npos ? rel : rel.substr(slash + 1);
            L.project.files.push_back(
                storedFile(L, t, root / rel, name, o, folderDestination(o.destination, dirPart)));
        }
        t.finish();
    }
}

// ---------------------------------------------------------------- messages

std::map<int, std::string> readMessageTable(Table t)
{
    std::map<int, std::string> out;
    t.markAllUsed();
    for (auto&& [k, v] : t.raw()) {
        std::string key(k.str());
        if (key.empty() || key.find_first_not_of("0123456789") != std::string::npos || key.size() > 5)
            t.fail(key, "message keys are message numbers (0 to " + std::to_string(kMessageNumberCount - 1) + ")");
        int number = std::stoi(key);
        if (number >= kMessageNumberCount)
            t.fail(key, "the installer uses messages 0 to " + std::to_string(kMessageNumberCount - 1));
        if (!v.is_string())
            t.fail(key, "must be a text");
        std::string text = v.as_string()->get();
        std::string problem = messageFormatProblem(number, text);
        if (!problem.empty())
            t.fail(key, problem);
        out[number] = text;
    }
    return out;
}

LanguageTexts readLanguageFile(Loader& L, Table& owner, const std::string& p)
{
    bool ok = false;
    fs::path path = L.resolve(p);
    std::string text = readWholeFile(path, ok);
    if (!ok)
        owner.fail("languages", "cannot read language file \"" + p + "\"");
    std::string name = path.string();
    toml::table doc = parseToml(text, name);
    Table t(doc, name, "");
    LanguageTexts lang;
    lang.source = name;
    lang.name = t.text("name");
    if (lang.name.empty())
        t.has("name") ? t.fail("name", "must not be empty") : t.failTable("name is missing (the language's name)");
    lang.texts = readMessageTable(t.sub("messages"));
    t.finish();
    return lang;
}

void checkSettings(const Loader& L, const Table& top)
{
    std::vector<std::string> problems = settingsProblems(L.project.spec);
    if (!problems.empty())
        throw ProjectError(L.file, top.line(), "", problems.front());
}

} // namespace

bool globMatch(const std::string& pattern, const std::string& path)
{
    size_t p = 0, s = 0;
    if (pattern.compare(0, 3, "**/") == 0) {
        for (size_t from = 0;; ) {
            if (globMatch(pattern.substr(3), path.substr(from)))
                return true;
            size_t slash = path.find('/', from);
            if (slash == std::string::npos)
                return false;
            from = slash + 1;
        }
    }
    if (pattern == "**")
        return true;
    while (p < pattern.size()) {
        char c = pattern[p];
        if (c == '*' && p + 1 < pattern.size() && pattern[p + 1] == '*') {
            std::string rest = pattern.substr(p);
            for (size_t from = s; from <= path.size(); ++from)
                if ((from == s || path[from - 1] == '/') && globMatch(rest, path.substr(from)))
                    return true;
            return false;
        }
        if (c == '*') {
            std::string rest = pattern.substr(p + 1);
            for (size_t from = s; from <= path.size(); ++from) {
                if (globMatch(rest, path.substr(from)))
                    return true;
                if (from < path.size() && path[from] == '/')
                    return false;
            }
            return false;
        }
        if (s >= path.size() || (c == '?' ? path[s] == '/' : c != path[s]))
            return false;
        ++p;
        ++s;
    }
    return s == path.size();
}

Project parseProject(const std::string& text, const std::string& name, const std::string& dir,
                     const ProjectProgress& progress)
{
    Project project;
    project.spec.setFlag(kFlagCompressedData);
    project.spec.uninstallSubdir = "Uninstall";
    project.spec.uninstallerFileName = "Uninstall.exe";
    toml::table doc = parseToml(text, name);
    Table top(doc, name, "");
    Loader L{name, fs::path(dir.empty() ? "." : dir), project, progress};

    if (!top.has("product"))
        top.failTable("a [product] table with the product's name is needed");
    readProduct(L, top.sub("product"));
    readFlags(L, top.sub("flags"));   // before [archive] and [uninstall], which refine them
    readAppearance(L, top.sub("appearance"));
    readTexts(L, top.sub("texts"));
    readBatch(L, top.sub("batch"));
    readUninstall(L, top.sub("uninstall"));
    readArchive(L, top.sub("archive"));
    readDeletions(L, top.tables("delete"));
    readAssociations(L, top.tables("association"));
    readFiles(L, top.tables("files"));
    {
        Table build = top.sub("build");
        project.output = build.text("output");
        build.finish();
    }

    std::map<int, std::string> english = readMessageTable(top.sub("messages"));
    std::vector<LanguageTexts> added;
    for (const std::string& p : top.textList("languages"))
        added.push_back(readLanguageFile(L, top, p));
    try {
        project.spec.languages = buildLanguageTable(english, added, project.warnings);
    } catch (const std::invalid_argument& e) {
        throw ProjectError(name, top.line(), "languages", e.what());
    }
    top.finish();
    checkSettings(L, top);
    return project;
}

Project loadProject(const std::string& path, const ProjectProgress& progress)
{
    bool ok = false;
    std::string text = readWholeFile(path, ok);
    if (!ok || fs::is_directory(path))
        throw ProjectError(path, 0, "", "cannot read the project file");
    return parseProject(text, path, fs::path(path).parent_path().string(), progress);
}
