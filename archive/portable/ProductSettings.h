#pragma once
// ProductSettings: every field of the archive's settings block, read once at start-up
// (archive/portable/SettingsReader.h) and kept for the whole run. Field order and rules are
// drawn in archive/format/SettingsLayout.h; the language table goes to Language.
//
// Texts hold what the block says, with the derived values the reader computes:
//   productName        the block's product name (the run's name may come from /n: instead)
//   sharedPath         empty: publisher when not blank, else the run's product name;
//                      emptied without kFlagUninstallSupport. Still relative: the Windows
//                      side anchors it on the Common Files folder and creates it.
//   productStartMenu   non-empty: publisher + "\" + product name when publisher is not
//                      empty, else its own text followed by the product name
//   defaultDirectory   empty: the product name; else every "<os>" replaced by the Windows
//                      directory. Still unexpanded and relative: the Windows side expands
//                      its path variables and, unless it is "<master>", anchors it on the
//                      Program Files folder.
//   uninstallKeyName   blank: the product name
//   masterKeyName      (only with kFlagMasterUpdate) blank: the product name
//   monoColor          topColor == bottomColor

#include "archive/format/ArchiveTime.h"
#include "archive/format/SettingsLayout.h"
#include "archive/portable/FileAssociation.h"
#include "archive/portable/FileDeletion.h"
#include "archive/portable/UninstallData.h"
#include "core/Array.h"
#include "core/String.h"

#include <cstdint>

struct ProductSettings {
    uint64_t productFlags = 0;
    uint16_t stepDelay = 0;         // shortest time of a progress step, milliseconds
    uint8_t shortcutMode = 0;
    ArchiveTime uninstallerTime;    // time stamp of the written uninstaller
    String publisher;
    String productName;
    String sharedPath;
    String productStartMenu;
    String defaultDirectory;
    String displayVersion;
    String productRegistry;
    uint32_t bitmapSize = 0;        // percent of the background window
    int licenceCount = 0;
    String licenceTexts[kMaxLicenceTexts];
    int readmeCount = 0;
    String readmeTexts[kMaxReadmeTexts];
    String uninstallSubdir;
    String volumeBaseName;
    String uninstallerFileName;
    String uninstallKeyName;
    uint32_t titleColor = 0;        // red in the low byte
    uint8_t titleShadow = 0;
    uint32_t topColor = 0;
    uint32_t bottomColor = 0;
    bool monoColor = false;
    String backgroundBitmap;        // the bytes of a bitmap file; empty: none
    String masterKeyName;           // only with kFlagMasterUpdate
    String desktopFolder;
    String batchText1;              // before extraction
    String batchText2;              // after the installation actions
    String batchText3;              // last action
    String uninstallBatch1;
    String uninstallBatch2;
    uint8_t reserved[kSettingsReservedSize] = {};
    uint32_t excludedSystems = 0;   // ExcludedSystem bits
    uint8_t multiVolume = 0;
    uint32_t firstVolumeNumber = 0;
    uint32_t patchOffset = 0;       // only with kFlagUninstallSupport; 0: no patch
    String patchBytes;
    Array<FileDeletion> deletions;
    Array<FileAssociation> associations;
    Array<UninstallData> uninstallValues;

    bool hasFlag(int bit) const { return hasProductFlag(productFlags, bit); }
};
