#pragma once
// Installers made from project texts with the x86_64 engine, for the tests under Wine.

#include <filesystem>
#include <string>

// A new, empty folder below the temporary directory, named quiv-<name>-XXXXXX.
std::filesystem::path newTestFolder(const std::string& name);

// Builds the installer of the project text (its paths relative to folder) into
// folder/setup.exe and returns that path. Throws what the project reader or the builder throw.
std::filesystem::path buildFromProject(const std::filesystem::path& folder, const std::string& toml);
