#pragma once
// Whole-file reads and writes and directory tests for the tests on the Linux side.

#include <cstdint>
#include <string>
#include <vector>

// The file's bytes; empty when it cannot be read.
std::vector<uint8_t> readBytes(const std::string& path);
// Creates or replaces the file with bytes (its folder must exist).
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// The file's bytes as text; empty when it cannot be read.
std::string readText(const std::string& path);
// Creates or replaces the file with text, creating its folder and the folders above first.
void writeText(const std::string& path, const std::string& text);
// Whether path names a directory.
bool isDirectory(const std::string& path);
