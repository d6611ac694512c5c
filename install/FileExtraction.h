#pragma once
// Placing the stored files: the walk over the file records of the gathered file-data block.

#include "archive/BlockDecoding.h"
#include "core/String.h"
#include "core/Vector.h"
#include "install/FileWriter.h"
#include "install/portable/ExtractionResults.h"
#include "install/portable/FileDestination.h"
#include "install/portable/InstallTexts.h"

#include <cstdint>

// What the walk needs besides the block: the directories, the product flags it reads (bit 10
// no uninstall entries, bit 20 verbose log; bits 11, 18 and 19 are in writeOptions), the
// writer's options and the language text that opens a directory failure.
struct ExtractionSetup {
    DestinationDirectories directories;
    uint64_t productFlags = 0;
    FileWriteOptions writeOptions;
    String directoryFailedText;
    void (*expand)(String& text) = nullptr;  // path variables of a destination field
};

// The setup of this installation: installDir, the settings' shared path and uninstall
// subdirectory, the fonts folder and the system directory, the product flags and language
// texts 25 and 31, and the process's path variables.
ExtractionSetup installationExtractionSetup();

// Walks the storedSizes.Count() records of the length bytes at block: for each, reads the
// record (a broken record is a corrupt archive, fatal with its code), computes its
// destination, enters the lists of results, decides with the placement rules whether it is
// written, creates its directory, enters the uninstall list and writes it; logs
// "name -> destination" with product flag bit 20. At the first and the last record and then
// every 30 ms or so, it moves the progress bar to 45 + i * 40 / N, pumps the messages and shows
// the record's "name -> destination" as the status line. Failures to create a directory or
// write a file go into texts.errors and skip the file. After the last record a written font makes it tell all windows that
// fonts changed; the bar ends at 87 %.
// With decoding, block is its output, still being decoded: a record is read once its bytes
// are decoded, and a block that does not decode is fatal code 60 at the first record that
// reaches the bytes it lacks, or after the last record (a broken record, too, is reported
// as 60 when the block then fails to decode further on).
void ExtractFiles(const uint8_t* block, uint32_t length, BlockDecoding* decoding,
                  const Vector<int32_t>& storedSizes, const ExtractionSetup& setup,
                  InstallTexts& texts, ExtractionResults& results);
