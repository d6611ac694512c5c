#pragma once
// One extra value written under the product's uninstall key.

#include "core/String.h"

#include <cstdint>

struct UninstallData {
    String name;
    uint8_t type = 0;    // 2 expandable string, 4 number, other: string
    String value;        // path variables allowed
};
