#pragma once
// ProductSpec: everything a product says about its installation, as the builder gathers it
// from the project file, before it is written as the archive's settings block
// (builder/SettingsWriter.h). Values are raw: the engine computes the derived ones (default
// folders, key names) when it reads the block. Field meanings: archive/format/SettingsLayout.h.

#include "archive/format/SettingsLayout.h"

#include <cstdint>
#include <string>
#include <vector>

struct ProductSpec {
    struct Time {
        int32_t year = 0, month = 0, day = 0;    // month 0: no date
        int32_t hour = -1, minute = 0, second = 0; // hour < 0: no time
    };
    struct Deletion {
        std::string path;
        int8_t condition = 0;
        std::string value;
        uint32_t flags = 0;
    };
    struct Association {
        uint32_t flags = 0;
        std::string extension, fileType, description, verb, verbText, command, language, icon;
    };
    struct UninstallValue {
        std::string name;
        uint8_t type = 0;
        std::string value;
    };
    struct Language {
        std::string name;
        std::vector<std::string> messages;  // by number; missing numbers are empty
    };

    uint64_t productFlags = 0;
    uint16_t stepDelay = 0;
    uint8_t shortcutMode = 0;
    Time uninstallerTime;
    std::string publisher;
    std::string productName;
    std::string sharedPath;
    std::string productStartMenu;
    std::string defaultDirectory;
    std::string displayVersion;
    std::string productRegistry;
    uint32_t bitmapSize = 0;
    std::vector<std::string> licenceTexts;
    std::vector<std::string> readmeTexts;
    std::string uninstallSubdir;
    std::string volumeBaseName = "DATA";
    std::string uninstallerFileName;
    std::string uninstallKeyName;
    uint32_t titleColor = 0;
    uint8_t titleShadow = 0;
    uint32_t topColor = 0;
    uint32_t bottomColor = 0;
    std::vector<uint8_t> backgroundBitmap;
    std::string masterKeyName;        // written only with kFlagMasterUpdate
    std::string desktopFolder;
    std::string batchText1, batchText2, batchText3;
    std::string uninstallBatch1, uninstallBatch2;
    uint8_t reserved[kSettingsReservedSize] = {};
    uint32_t excludedSystems = 0;
    uint8_t multiVolume = 0;
    uint32_t firstVolumeNumber = kFirstVolumeNumber;
    uint32_t patchOffset = 0;         // written only with kFlagUninstallSupport
    std::vector<uint8_t> patchBytes;  // written only when patchOffset > 0
    std::vector<Deletion> deletions;
    std::vector<Association> associations;
    std::vector<UninstallValue> uninstallValues;
    std::vector<Language> languages;

    bool hasFlag(int bit) const { return hasProductFlag(productFlags, bit); }
    void setFlag(int bit, bool on = true)
    {
        productFlags = on ? (productFlags | productFlagMask(bit)) : (productFlags & ~productFlagMask(bit));
    }
};
