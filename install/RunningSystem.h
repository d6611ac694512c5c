#pragma once
// The running system's version record and what it says.

#include "install/portable/SystemVersion.h"

#include <cstdint>

// GetVersionExA (record of 148 bytes); all zero and no service-pack text when it fails.
SystemVersion runningSystemVersion();

// The running system's name for messages (SystemVersion::description).
String systemDescription();

// The running system's bit of the excluded-systems mask (SystemVersion::excludedSystemBit).
uint32_t runningSystemBit();
