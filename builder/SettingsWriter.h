#pragma once
// SettingsWriter: the archive's settings block (before compression and scrambling) from a
// ProductSpec, field by field in the order of archive/format/SettingsLayout.h.

#include "builder/ProductSpec.h"

#include <cstdint>
#include <string>
#include <vector>

// The plain settings block of spec, written exactly as given: the master key name only with
// kFlagMasterUpdate, the uninstaller patch only with kFlagUninstallSupport (its length and
// bytes only for an offset above 0), the message count as the longest language's message
// list (shorter lists padded with empty texts). No value is checked, so a block the engine
// refuses can be written on purpose; settingsProblems tells which. Counts are written as
// the format's widths (a language count above 255 wraps).
std::vector<uint8_t> writeSettings(const ProductSpec& spec);

// The rules of the format that spec breaks, one readable line each (empty: the engine will
// accept the block, given a program file of at least patchOffset bytes). Also a text that
// holds a zero byte, which would end it early.
std::vector<std::string> settingsProblems(const ProductSpec& spec);
