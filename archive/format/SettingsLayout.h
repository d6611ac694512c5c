#pragma once
// The settings block as the builder writes it and the engine reads it: field order, limits,
// the product flag bits and the excluded-system bits. Portable, shared by both sides; the
// header constants, corrupt codes and the end marker are in ArchiveFormat.h.
//
// The block (after unscrambling and decompression) is a sequence of fields without padding;
// integers are little-endian, a text is 8-bit bytes ended by a zero byte.
//
//   #   field                     type                         rule (corrupt code)
//   --  ------------------------  ---------------------------  -----------------------------
//   1   productFlags              u64                          bits: ProductFlagBit below
//   2   stepDelay                 u16                          0..kMaxStepDelay        (19)
//   3   shortcutMode              u8
//   4   uninstallerTime           kArchiveTimeSize bytes: i32 year, month, day, hour,
//                                 minute, second (month 0: no date; hour < 0: no time)
//   5   publisher                 text
//   6   productName               text
//   7   sharedPath                text
//   8   productStartMenu          text
//   9   defaultDirectory          text
//   10  displayVersion            text
//   11  productRegistry           text
//   12  bitmapSize                u32                          0..kMaxBitmapSize       (39)
//   13  licence texts             u32 n, n texts               n 0..kMaxLicenceTexts   (24)
//   14  read-me texts             u32 n, n texts               n 0..kMaxReadmeTexts    (26)
//   15  uninstallSubdir           text
//   16  volumeBaseName            text                         not blank               (21)
//   17  uninstallerFileName       text
//   18  uninstallKeyName          text
//   19  titleColor                u32 (red in the low byte)
//   20  titleShadow               u8
//   21  topColor                  u32
//   22  bottomColor               u32
//   23  backgroundBitmap          u32 n, n bytes (none when n is 0)
//   24  masterKeyName             text, only with kFlagMasterUpdate
//   25  desktopFolder             text
//   26  batchText1                text (before extraction)
//   27  batchText2                text (after the installation actions)
//   28  batchText3                text (last action)
//   29  uninstallBatch1           text
//   30  uninstallBatch2           text
//   31  reserved                  kSettingsReservedSize bytes
//   32  excludedSystems           u32                          ExcludedSystem bits below
//   33  multiVolume               u8                           non-zero: volume files follow
//   34  firstVolumeNumber         u32
//   35  uninstaller patch         only with kFlagUninstallSupport: u32 offset; when offset
//                                 > 0 also u32 n and n bytes   offset 0..file size     (23)
//   36  file deletions            records until a name of kDeletionEndName:
//                                 text path, i8 condition, text value, u32 flags
//                                                              at most kMaxDeletions   (38)
//   37  file associations         u32 n, n records: u32 flags, then kAssociationTexts
//                                 texts (extension, fileType, description, verb, verbText,
//                                 command, language, icon)     n 0..kMaxAssociations   (36)
//   38  extra uninstall values    u32 n, n records: text name, u8 type, text value
//                                                              n 0..kMaxUninstallValues (37)
//   39  language table            u8 languages                 1..kMaxLanguages        (30)
//                                 u32 messages                 1..kMaxMessages         (31)
//                                 language names (texts), then one row per message
//                                 number, each with one text per language
//   40  end marker                u32 kSettingsEndMarker                               (32)

#include "archive/format/ArchiveFormat.h"

#include <cstdint>

// ---------------------------------------------------------------- limits
constexpr int kMaxStepDelay = 9999;          // milliseconds
constexpr uint32_t kMaxBitmapSize = 100;     // percent of the background window
constexpr uint32_t kMaxLicenceTexts = 20;
constexpr uint32_t kMaxReadmeTexts = 20;
constexpr int kArchiveTimeSize = 24;         // six i32
constexpr int kSettingsReservedSize = 20;
constexpr int kMaxDeletions = 1001;
constexpr char kDeletionEndName[] = "~~THE END~~";   // exact, case matters
constexpr uint32_t kMaxAssociations = 10000;
constexpr int kAssociationTexts = 8;
constexpr uint32_t kMaxUninstallValues = 10000;
constexpr int kMaxLanguages = 100;
constexpr uint32_t kMaxMessages = 10000;
constexpr char kEnglishLanguageName[] = "English";  // exact; selects the initial language

// ---------------------------------------------------------------- product flags
// Bit numbers of the 64-bit productFlags word (bit 0 least significant). Bits not listed are
// carried along unchanged.
enum ProductFlagBit : int {
    kFlagRefuseExisting = 0,            // refuse to install over an existing installation
    kFlagUninstallerStartMenu = 1,      // Start-menu shortcut to the uninstaller
    kFlagUninstallSupport = 2,          // uninstall entry, uninstaller, patch, shared counts
    kFlagAskFontRemoval = 4,            // uninstall: ask before removing each font
    kFlagCompressedData = 5,            // the file-data block is compressed
    kFlagAlwaysWriteLog = 6,            // write the install log even without errors
    kFlagAskDirectory = 7,              // ask the user for the installation directory
    kFlagAutomatic = 8,                 // automatic mode, as with /a
    kFlagAutomaticUninstall = 9,        // uninstall without questions
    kFlagUninstallWholeTree = 10,       // files not listed for uninstall; tree deleted instead
    kFlagRestartReplaceNew = 11,        // in-use files new to the system may wait for restart
    kFlagAddToPath = 12,                // installation directory added to the start-up PATH
    kFlagRestartRequired = 14,          // set while installing: something awaits the restart
    kFlagUninstallerBackground = 15,    // write the background bitmap for the uninstaller
    kFlagMasterUpdate = 16,             // updates a master product; masterKeyName present
    kFlagAskSharedRemoval = 17,         // uninstall: ask before deleting unused shared files
    kFlagVerifyFiles = 18,              // read each written file back
    kFlagClearAttributesRetry = 19,     // clear read-only/hidden/system and retry a write
    kFlagVerboseLog = 20,               // verbose install log
    kFlagNoCancel = 21,                 // progress dialog without a working Cancel
    kFlagNoCompletionMessage = 22,      // no message at the end of a clean installation
    kFlagQuietBatch1 = 23,              // batch text 1: hidden window, no pause
    kFlagQuietBatch2 = 24,              // batch text 2: the same
    kFlagQuietBatch3 = 25,              // batch text 3: the same
    kFlagWaitUninstallBatch1 = 26,      // uninstall: wait for uninstallBatch1
    kFlagWaitUninstallBatch2 = 27,      // uninstall: wait for uninstallBatch2
    kFlagReinstallWithoutAsking = 28,   // reinstall over an existing installation silently
    kFlagNoBackground = 29,             // no background window
    kFlagConfirmDirectory = 31,         // ask before creating or using the chosen directory
    kFlagCheckStub = 32,                // compare stubChecksum
    kFlagUninstallerDesktop = 33,       // desktop shortcut to the uninstaller
    kFlagErrorBoxesInAutomatic = 35,    // error boxes even in automatic mode
    kFlagCompareVersions = 36,          // compare versions with an existing installation
    kFlagRefuseNetworkDirectory = 37,   // refuse UNC installation directories
    kFlagUninstallerInDirectory = 38,   // uninstaller shortcut in the uninstaller directory
    kFlagMaximizedBackground = 40,      // background window maximised
};

constexpr uint64_t productFlagMask(int bit)
{
    return (bit >= 0 && bit < 64) ? (uint64_t{1} << bit) : 0;
}

constexpr bool hasProductFlag(uint64_t flags, int bit)
{
    return (flags & productFlagMask(bit)) != 0;
}

// The named bits, in bit order, under the names the project file gives them ([flags] table).
struct ProductFlagName {
    const char* name;
    int bit;
};

constexpr ProductFlagName kProductFlagNames[] = {
    {"refuse_existing", kFlagRefuseExisting},
    {"uninstaller_start_menu_shortcut", kFlagUninstallerStartMenu},
    {"uninstall_support", kFlagUninstallSupport},
    {"ask_font_removal", kFlagAskFontRemoval},
    {"compress", kFlagCompressedData},
    {"always_write_log", kFlagAlwaysWriteLog},
    {"ask_directory", kFlagAskDirectory},
    {"automatic", kFlagAutomatic},
    {"automatic_uninstall", kFlagAutomaticUninstall},
    {"uninstall_whole_tree", kFlagUninstallWholeTree},
    {"restart_replace_new", kFlagRestartReplaceNew},
    {"add_to_path", kFlagAddToPath},
    {"restart_required", kFlagRestartRequired},
    {"uninstaller_background", kFlagUninstallerBackground},
    {"master_update", kFlagMasterUpdate},
    {"ask_shared_removal", kFlagAskSharedRemoval},
    {"verify_files", kFlagVerifyFiles},
    {"clear_attributes_retry", kFlagClearAttributesRetry},
    {"verbose_log", kFlagVerboseLog},
    {"no_cancel", kFlagNoCancel},
    {"no_completion_message", kFlagNoCompletionMessage},
    {"quiet_batch_1", kFlagQuietBatch1},
    {"quiet_batch_2", kFlagQuietBatch2},
    {"quiet_batch_3", kFlagQuietBatch3},
    {"wait_uninstall_batch_1", kFlagWaitUninstallBatch1},
    {"wait_uninstall_batch_2", kFlagWaitUninstallBatch2},
    {"reinstall_without_asking", kFlagReinstallWithoutAsking},
    {"no_background", kFlagNoBackground},
    {"confirm_directory", kFlagConfirmDirectory},
    {"check_stub", kFlagCheckStub},
    {"uninstaller_desktop_shortcut", kFlagUninstallerDesktop},
    {"error_boxes_in_automatic", kFlagErrorBoxesInAutomatic},
    {"compare_versions", kFlagCompareVersions},
    {"refuse_network_directory", kFlagRefuseNetworkDirectory},
    {"uninstaller_directory_shortcut", kFlagUninstallerInDirectory},
    {"maximized_background", kFlagMaximizedBackground},
};
constexpr int kProductFlagNameCount = sizeof kProductFlagNames / sizeof kProductFlagNames[0];

// ---------------------------------------------------------------- excluded systems
// Bits of excludedSystems: the systems on which the product refuses to install.
enum ExcludedSystem : uint32_t {
    kExcludeOtherSystem = 0x1,   // any system not listed below
    kExcludeWin32s = 0x2,        // platform 0
    kExcludeWindows95 = 0x4,     // platform 1, 4.0..4.9
    kExcludeWindows98 = 0x8,     // platform 1, 4.10..4.89
    kExcludeWindowsMe = 0x10,    // platform 1, 4.90 and above
    kExcludeNt3 = 0x20,          // platform 2, major 3 or less
    kExcludeNt4 = 0x40,          // platform 2, 4.x
    kExcludeWindows2000 = 0x80,  // platform 2, 5.0
    kExcludeWindowsXp = 0x100,   // platform 2, 5.1
    kExcludeServer2003 = 0x200,  // platform 2, 5.2
};
