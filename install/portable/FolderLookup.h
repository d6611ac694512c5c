#pragma once
// FolderLookup: the shell's special folders, the boot drive and the system directory.
//
// A folder is looked up in up to three steps, each taken only when the ones before gave an
// empty text: a registry text (a user folder from the user's Shell Folders key, an all-users
// folder from the machine's, a version value from the machine's CurrentVersion key; a value
// longer than three bytes loses one trailing backslash), the shell's folder of the same kind,
// and a fixed fallback. Nothing is cached: every call asks the source again, so a folder moved
// during the run is seen at once. Every result but the boot drive is a text that is never
// empty.

#include "core/String.h"

class FolderSource;

// A registry key: its hive and its path below it.
struct RegistryLocation {
    bool currentUser; // HKEY_CURRENT_USER, else HKEY_LOCAL_MACHINE
    String path;
};

class FolderLookup {
public:
    // The source must outlive this object.
    explicit FolderLookup(FolderSource& source);

    // Where the registry texts are read; the system's keys by default. Tests point them at
    // scratch copies.
    RegistryLocation userFolders;   // HKCU ...\Explorer\Shell Folders
    RegistryLocation commonFolders; // HKLM ...\Explorer\Shell Folders
    RegistryLocation versionKey;    // HKLM Software\Microsoft\Windows\CurrentVersion
    RegistryLocation setupKey;      // HKLM ...\CurrentVersion\Setup

    String commonFilesDir();  // "CommonFilesDir"; fallback programFilesDir + "\Common Files"
    String programFilesDir(); // "ProgramFilesDir"; fallback "c:\Program Files"
    // "DevicePath", whose first "%SystemRoot%" (any case) becomes the environment's value when
    // that is not empty; fallback Windows directory + "\INF". The value may list several
    // directories.
    String deviceDir();
    String mediaDir();        // "MediaPath"; fallback Windows directory + "\Media"
    String desktopDir();      // fallback Windows directory + "\Desktop"
    String desktopAllDir();   // fallback desktopDir
    String documentDir();     // fallback "c:\My Documents"
    String documentAllDir();  // fallback documentDir
    String favoritesDir();    // fallback Windows directory + "\Favorites"
    String favoritesAllDir(); // fallback favoritesDir
    String fontDir();         // fallback Windows directory + "\Fonts"
    String startMenuDir();    // fallback Windows directory + "\Start Menu"
    String startMenuAllDir(); // fallback startMenuDir
    String programsMenuDir();    // the start menu's "Programs"; fallback startMenuDir + "\Programs"
    String programsMenuAllDir(); // fallback programsMenuDir
    String startupDir();      // fallback programsMenuDir + "\StartUp"
    String startupAllDir();   // fallback startupDir

    // The upper-case letter of the setup key's "BootDir" when that begins with a letter and
    // ':'; 'C' otherwise.
    char bootDrive();
    // The system's answer; when it gives none, the Windows directory + "\System32" on the NT
    // family and + "\System" otherwise.
    String systemDirectory();

private:
    // The registry text, one trailing backslash cut from a value longer than three bytes.
    String registryFolder(const RegistryLocation& key, const char* name);
    // Steps 1 and 2 of a folder: the registry text of key, else the shell's csidl folder.
    String userOrShell(const RegistryLocation& key, const char* name, int csidl);
    // windowsDir + "\" + name.
    String inWindows(const char* name);

    FolderSource& source_;
};
