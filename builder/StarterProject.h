#pragma once
// StarterProject: the files `quiv new` writes: a commented project file that builds as it
// is, with a read-me, a licence and one payload file.

#include <string>
#include <vector>

struct StarterFile {
    std::string path;   // relative to the new project's folder, '/'-separated
    std::string text;
};

const std::vector<StarterFile>& starterProjectFiles();
