#pragma once
// The settings' paths that need the system, completed once the settings block has been read
// (archive/portable/SettingsReader.h).

struct ProductSettings;
class FolderLookup;

// With uninstall support (kFlagUninstallSupport) the shared path is anchored on the Common
// Files folder and created with its missing parents (a failure is not reported here; the
// installation reports what it cannot place there). Then the path variables of the default
// directory are expanded (its %SharedDir% is the anchored shared path) and, unless it is
// "<master>" (any case), it is anchored on the Program Files folder.
void completeSettingsPaths(ProductSettings& settings);
// The same with the folders of folders (a test's, on scratch keys).
void completeSettingsPaths(ProductSettings& settings, FolderLookup& folders);
