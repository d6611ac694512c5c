#include "tests/support/StoredFileData.h"

#include "builder/FileDataWriter.h"

#include <string>

std::vector<uint8_t> storedFileData(const std::vector<int32_t>& sizes)
{
    std::vector<StoredFile> files;
    for (size_t i = 0; i < sizes.size(); ++i) {
        StoredFile f;
        f.name = "file" + std::to_string(i + 1) + ".dat";
        f.data.assign(static_cast<size_t>(sizes[i]), 0);
        files.push_back(f);
    }
    return writeFileData(files, false).bytes;
}
