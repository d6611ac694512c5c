#pragma once
// The uninstall driver: undoes the installation of a product, found by its name.

#include "core/String.h"

// Uninstalls the product named productName. True when the uninstallation went through and
// the uninstaller may remove itself; false otherwise (the user has been told why).
bool runUninstall(const String& productName);
