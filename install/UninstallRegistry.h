#pragma once
// Writing the product's entry below the uninstall key.

#include "core/String.h"
#include "core/Vector.h"
#include "install/portable/InstallTexts.h"
#include "install/portable/UninstallEntry.h"
#include "platform/Win32.h"

// The error text of an entry that could not be written or read back.
constexpr char kUninstallRegistryError[] =
    "Unable to save the uninstall information to the registry.  Uninstall will not work properly.\r\n\r\n";

// Opens or creates keyPath below root (HKEY_LOCAL_MACHINE and kUninstallKeyPath + key name for
// the installation) and writes, or deletes, each value in order, then reads UninstallString
// back. True when the key opened and UninstallString reads back as written; otherwise
// texts.errors gains kUninstallRegistryError (values written before a failure stay).
bool WriteUninstallRegistry(HKEY root, const String& keyPath, const Vector<UninstallValue>& values,
                            InstallTexts& texts);
