#include "install/FileExtraction.h"

#include "app/ErrorBox.h"
#include "app/InstallerState.h"
#include "archive/format/ArchiveFormat.h"
#include "archive/format/FileRecord.h"
#include "archive/format/SettingsLayout.h"
#include "archive/portable/FileRecordReader.h"
#include "archive/portable/Language.h"
#include "archive/portable/ProductSettings.h"
#include "install/FileOperations.h"
#include "install/PathVariables.h"
#include "install/portable/FolderLookup.h"
#include "install/portable/PlacementDecision.h"
#include "platform/Directories.h"
#include "platform/FileAttributes.h"
#include "platform/SystemErrorText.h"
#include "platform/Win32.h"
#include "platform/portable/PathText.h"
#include "ui/Progress.h"

namespace {

constexpr int kDirectoryFailedText = 25;
constexpr int kWriteFailedText = 31;
constexpr int kFirstRecordPercent = 45;
constexpr int kRecordsPercent = 40;
constexpr int kEndPercent = 87;
// The bar and the detail line are repainted at most this often (ms): a repaint and a message
// pump per file would cost more than writing a small file.
constexpr DWORD kRepaintInterval = 30;

void expandPathVariables(String& text)
{
    Expand(text);
}

bool isInstallDirKind(uint32_t kind)
{
    return kind == kKindInstallDir || kind == kKindInstallDirStartup;
}

bool isSystemKind(uint32_t kind)
{
    return kind == kKindSystemDir || kind == kKindSystemComServer || kind == kKindSystemTypeLibrary;
}

// What is at the destination now; the version is read only where the rules compare it.
ExistingFile examineDestination(const String& path, uint32_t kind)
{
    ExistingFile existing;
    existing.exists = getAttributes(path.CStr()) != -1;
    if (!existing.exists)
        return existing;
    DateTime creation, access;
    existing.timeKnown = fileTimes(path.CStr(), creation, access, existing.lastWrite);
    if (isSystemKind(kind))
        existing.version = fileVersionText(path);
    return existing;
}

// The directory part of path: everything before its last backslash.
String directoryOf(const String& path)
{
    String dir;
    const int slash = path.FindCharReverse('\\');
    if (slash > 0)
        path.Mid(dir, 0, slash);
    return dir;
}

ShortcutRecord shortcutRecord(const FileRecordView& record, const FileDestination& destination)
{
    ShortcutRecord s;
    s.storedName = destination.storedName;
    s.destination = destination.path;
    s.title = record.text;
    s.icon = record.shortcutIcon;
    s.arguments = record.shortcutArguments;
    s.kind = record.kind;
    s.flags = record.flags;
    return s;
}

class RecordWalk {
public:
    RecordWalk(const ExtractionSetup& setup, InstallTexts& texts, ExtractionResults& results)
        : setup_(setup), texts_(texts), results_(results)
    {
    }

    // Places one record; shown: its detail line is put on the screen.
    void place(const FileRecordView& record, bool shown);
    bool fontWritten() const { return fontWritten_; }

private:
    bool productFlag(int bit) const { return hasProductFlag(setup_.productFlags, bit); }
    // Uninstall entries for this record: kinds 0 and 5 only, unless the product or the
    // record leaves them.
    bool entersUninstall(const FileRecordView& record) const
    {
        return isInstallDirKind(record.kind) && !productFlag(kFlagUninstallWholeTree) &&
               !(record.flags & kFileLeaveAtUninstall);
    }
    bool prepareDirectory(const FileRecordView& record, const FileDestination& destination);
    void reportPlaced(const FileRecordView& record, const FileDestination& destination, bool shown);

    const ExtractionSetup& setup_;
    InstallTexts& texts_;
    ExtractionResults& results_;
    bool fontWritten_ = false;
    String madeDirectory_;  // the last directory created (or found) for a record
};

// Creates the destination's directory when it is not the installation directory. False, with
// the failure in the error text, when it cannot be made.
bool RecordWalk::prepareDirectory(const FileRecordView& record, const FileDestination& destination)
{
    if (!destination.createDirectory)
        return true;
    const String dir = directoryOf(destination.path);
    if (dir.IsEmpty() || sameDirectory(dir, setup_.directories.install))
        return true;
    // Records come folder by folder: the folder of the one before needs no new look.
    if (!dir.Equals(madeDirectory_)) {
        if (!createDirectoryPath(dir)) {
            texts_.errors.AppendFormat("%s %s\r\n%s\r\nNot installed: %s\r\n\r\n",
                                       setup_.directoryFailedText.CStr(), dir.CStr(),
                                       lastErrorLine().CStr(), destination.path.CStr());
            return false;
        }
        madeDirectory_ = dir;
    }
    if (entersUninstall(record))
        texts_.addUninstallEntry(dir, UninstallEntryKind::Directory);
    return true;
}

void RecordWalk::reportPlaced(const FileRecordView& record, const FileDestination& destination,
                              bool shown)
{
    if (record.kind == kKindFont) {
        InstalledFont font;
        font.title = record.text;
        font.storedName = destination.storedName;
        font.destination = destination.path;
        font.leaveAtUninstall = (record.flags & kFileLeaveAtUninstall) != 0;
        results_.fonts.Append(font);
        fontWritten_ = true;
    }
    if (shown)
        SetStatus("%s -> %s", destination.storedName.CStr(), destination.path.CStr());
    if (productFlag(kFlagVerboseLog))
        texts_.log.AppendFormat("%s -> %s\r\n", destination.storedName.CStr(),
                                destination.path.CStr());
}

void RecordWalk::place(const FileRecordView& record, bool shown)
{
    const FileDestination destination =
        fileDestination(record.name, record.kind, record.flags, record.destination,
                        setup_.directories, setup_.expand ? setup_.expand : expandPathVariables);
    results_.addSharedFile(record.kind, record.flags, destination.path);
    const ExistingFile existing = placementNeedsDestination(record.kind, record.flags)
                                      ? examineDestination(destination.path, record.kind)
                                      : ExistingFile();
    const PlacementDecision decision = decidePlacement(
        record.kind, record.flags, record.time, record.text, destination.path.CStr(), existing);
    texts_.log.Append(decision.logLine);
    if (!decision.write) {
        if (decision.keepInUninstall && entersUninstall(record))
            texts_.addUninstallEntry(destination.path, UninstallEntryKind::File);
        return;
    }
    if (makesShortcut(record.kind, record.flags))
        results_.shortcuts.Append(shortcutRecord(record, destination));
    if (!prepareDirectory(record, destination))
        return;
    if (entersUninstall(record))
        texts_.addUninstallEntry(destination.path, UninstallEntryKind::File);
    if (!WriteFile(destination.path, reinterpret_cast<const char*>(record.data), record.size,
                   record.time, record.attributes, decision.existed, setup_.writeOptions, texts_))
        return;
    reportPlaced(record, destination, shown);
}

// The block's bytes as far as they are final, for reading the records of a block that may still
// be decoding.
class RecordSource {
public:
    RecordSource(const uint8_t* block, uint32_t length, BlockDecoding* decoding)
        : block_(block), length_(length), decoding_(decoding),
          final_(decoding ? decoding->waitFor(0) : length), cursor_(block, final_)
    {
    }

    // Reads the next record (readFileRecord); when that fails before the block's end, waits
    // for more decoded bytes and reads it again. Returns 0 or the record's code; a block that
    // does not decode as far as needed ends the run with code 60.
    int read(int32_t storedSize, FileRecordView& record);

private:
    // Waits for the bytes up to want (at most length_) and moves the cursor's end there.
    void waitFor(uint64_t want);

    const uint8_t* block_;
    uint32_t length_;
    BlockDecoding* decoding_;
    uint32_t final_;   // the leading bytes decoded, the cursor's end
    ArchiveCursor cursor_;
};

// What a record is given beyond its data, texts included, before it is read again.
constexpr uint32_t kRecordSlack = 64 * 1024;

int RecordSource::read(int32_t storedSize, FileRecordView& record)
{
    for (;;) {
        ArchiveCursor attempt = cursor_;
        const int code = readFileRecord(attempt, storedSize, record);
        if (code == 0) {
            cursor_ = attempt;
            return 0;
        }
        if (final_ == length_)
            return code;
        // A record that runs past the decoded bytes is read again with more of them; any other
        // fault is this record's only when the whole block decodes.
        const uint64_t at = cursor_.position();
        uint64_t want = length_;
        if (code == kCorruptOverrun) {
            want = at + (storedSize > 0 ? uint64_t(storedSize) : 0) + kRecordSlack;
            if (want < uint64_t(final_) + kRecordSlack)
                want = uint64_t(final_) + kRecordSlack;
        }
        waitFor(want);
    }
}

void RecordSource::waitFor(uint64_t want)
{
    const uint32_t needed = want < length_ ? static_cast<uint32_t>(want) : length_;
    const uint32_t decoded = decoding_->waitFor(needed);
    if (decoded < needed)
        corruptInstaller(kCorruptDataBlock);
    const uint32_t at = cursor_.position();
    final_ = decoded;
    cursor_.reset(block_, final_);
    cursor_.skip(at);
}

// Whether the screen is due a repaint at record i of count: at the first and the last record
// and once kRepaintInterval has passed since lastPaint (then set to now).
bool repaintDue(int i, int count, DWORD& lastPaint)
{
    const DWORD now = GetTickCount();
    if (i != 0 && i != count - 1 && now - lastPaint < kRepaintInterval)
        return false;
    lastPaint = now;
    return true;
}

} // namespace

ExtractionSetup installationExtractionSetup()
{
    const InstallerState& state = installerState();
    const ProductSettings& settings = productSettings();
    ExtractionSetup setup;
    setup.directories.install = state.installDir;
    setup.directories.shared = settings.sharedPath;
    setup.directories.fonts = specialFolders().fontDir();
    setup.directories.system = specialFolders().systemDirectory();
    setup.directories.uninstaller = joinPath(state.installDir, settings.uninstallSubdir);
    setup.productFlags = state.productFlags;
    setup.writeOptions.verify = state.productFlag(kFlagVerifyFiles);
    setup.writeOptions.clearAttributesOnFailure = state.productFlag(kFlagClearAttributesRetry);
    setup.writeOptions.replaceNewAtRestart = state.productFlag(kFlagRestartReplaceNew);
    setup.writeOptions.writeFailedText = message(kWriteFailedText);
    setup.directoryFailedText = message(kDirectoryFailedText);
    return setup;
}

void ExtractFiles(const uint8_t* block, uint32_t length, BlockDecoding* decoding,
                  const Vector<int32_t>& storedSizes, const ExtractionSetup& setup,
                  InstallTexts& texts, ExtractionResults& results)
{
    RecordSource source(block, length, decoding);
    RecordWalk walk(setup, texts, results);
    const int count = storedSizes.Count();
    DWORD lastPaint = 0;
    for (int i = 0; i < count; ++i) {
        // Moving the bar also pumps the messages.
        const bool shown = repaintDue(i, count, lastPaint);
        if (shown)
            SetProgress(kFirstRecordPercent +
                        static_cast<int>(static_cast<int64_t>(i) * kRecordsPercent / count));
        FileRecordView record;
        const int code = source.read(storedSizes[i], record);
        if (code != 0)
            corruptInstaller(code);
        walk.place(record, shown);
    }
    // Bytes after the last record are decoded too: a block that fails there is damaged all the same.
    if (decoding && !decoding->finish())
        corruptInstaller(kCorruptDataBlock);
    if (walk.fontWritten())
        SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
    SetProgress(kEndPercent);
}
