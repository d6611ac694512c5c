#pragma once
// The installation archive as the builder writes it and the engine reads it: one definition
// of its layout, its constants and its error codes, plus the checksum and the scrambling that
// every part of it uses. Portable: no Windows, no standard containers.
//
// All integers are little-endian. The archive begins at the first byte of the executable's
// `.quiv` section:
//
//   offset            width            field
//   ----------------  ---------------  ---------------------------------------------------
//   0                 u32              magic               kArchiveMagic            (20)
//   4                 i32              version x 100       <= kArchiveVersion (+0.01)
//   8                 i32              settingsSize        1..kMaxSettingsSize      (22)
//   12                u32              settingsKey         scrambling key of the settings
//                                                          block and the checksum of the
//                                                          decompressed settings    (25)
//   16                u32              stubChecksum        checksum of the file bytes
//                                                          before the section       (40)
//   20                i32              archiveEnd          end of the archive data in
//                                                          this section, >= 0       (45)
//   24                i32              fileCount           >= 0                     (27)
//   28                i32              dataSize            file-data block, all
//                                                          volumes, >= 0            (29)
//   32                u32              dataChecksum        of the whole data block  (55)
//   36                fileCount x i32  stored size of each file, in file-record order,
//                                      0..kMaxStoredFileSize                        (28)
//   36 + 4*fileCount  settingsSize     settings block: compressed block (below), then
//                                      scrambled with settingsKey              (47, 25)
//   dataOffset =      dataSize bytes   file-data block; the bytes up to archiveEnd lie in
//   36 + 4*fileCount                   this section, the rest in volume files
//     + settingsSize
//
// (n) is the corruptInstaller code raised when the field breaks its rule.
//
// The settings block, once unscrambled and decompressed, ends with the u32
// kSettingsEndMarker (32). A volume file ("%s%d.QSX": base name, volume number from
// kFirstVolumeNumber on) holds a u32 sequence number and then the next bytes of the data block.
//
// Compressed block (settings block, and the data block when product flag bit 5 is set):
//
//   0   u32   kBlockMagic
//   4   i32   outputLength: the exact number of bytes the block decodes to (>= 0)
//   8   ...   bit stream, least significant bit of each byte first:
//
//   bits     token        numbers (base, step)              result
//   0        literal run  count = number(2, 2) + 1          count raw 8-bit bytes follow
//   1 0      copy         length = number(2, 1) + 4,        length bytes from distance
//                         distance = number(12, 2) + 4      back; length <= distance
//   1 1      byte run     8-bit value, count = number(1,1)+3  value repeated count times
//
//   number(base, step): width = base, plus step for each 1 bit of a unary prefix ended by a
//   0 bit; then min(width, 32) bits of the value, least significant first.
//   There is no end token: decoding stops once outputLength bytes were produced.
//
// Checksum: seed kChecksumSeed, plus each whole u32 word, plus each of the 1-3 trailing bytes
// as a signed byte, plus the length (mod 2^32); an empty piece gives the seed alone.
// Scrambling: byte i is XORed with byte (i mod 4) of the key's little-endian form.

#include <cstdint>

// ---------------------------------------------------------------- archive header
constexpr uint32_t kArchiveMagic = 0xA4F23DE5u;
// Format version x 100 that this system writes and reads; older archives are accepted, newer
// ones are refused when version - kInstallerVersion > kVersionTolerance (in double precision).
constexpr int32_t kArchiveVersion = 1120;
constexpr double kInstallerVersion = 11.2;
constexpr double kVersionTolerance = 0.01;

constexpr int kHeaderMagicOffset = 0;
constexpr int kHeaderVersionOffset = 4;
constexpr int kHeaderSettingsSizeOffset = 8;
constexpr int kHeaderSettingsKeyOffset = 12;
constexpr int kHeaderStubChecksumOffset = 16;
constexpr int kHeaderArchiveEndOffset = 20;
constexpr int kHeaderFileCountOffset = 24;
constexpr int kHeaderDataSizeOffset = 28;
constexpr int kHeaderDataChecksumOffset = 32;
constexpr int kHeaderFixedSize = 36;   // the size list starts here
constexpr int kStoredSizeWidth = 4;    // one i32 per stored file

constexpr int32_t kMaxSettingsSize = 0x9FFFFF;       // 10,485,759 bytes
constexpr int32_t kMaxStoredFileSize = 0x40000000;   // 1,073,741,824 bytes

// End of the decompressed settings block.
constexpr uint32_t kSettingsEndMarker = 0xD3E82B97u;

// ---------------------------------------------------------------- checksum, scrambling
constexpr uint32_t kChecksumSeed = 0x79E2BC9Du;

// ---------------------------------------------------------------- compressed block
constexpr uint32_t kBlockMagic = 0x9EC72BA1u;
constexpr int kBlockMagicOffset = 0;
constexpr int kBlockOutputLengthOffset = 4;
constexpr int kBlockHeadSize = 8;   // the bit stream starts at bit 64

// Variable-width numbers of the tokens: (base, step) and the value added to the number.
constexpr int kLiteralCountBase = 2, kLiteralCountStep = 2, kLiteralCountBias = 1;
constexpr int kCopyLengthBase = 2, kCopyLengthStep = 1, kCopyLengthBias = 4;
constexpr int kCopyDistanceBase = 12, kCopyDistanceStep = 2, kCopyDistanceBias = 4;
constexpr int kRunCountBase = 1, kRunCountStep = 1, kRunCountBias = 3;
constexpr int kNumberMaxBits = 32;          // a number reads at most this many value bits
constexpr int kNumberMaxBase = 64;          // readNumber's accepted base: 0..64
constexpr int kNumberMaxStep = 16;          // and step: 1..16
constexpr int kMinCopyLength = kCopyLengthBias;     // 4
constexpr int kMinCopyDistance = kCopyDistanceBias; // 4
constexpr int kMinRunCount = kRunCountBias;         // 3

// ---------------------------------------------------------------- executable image (PE)
constexpr char kArchiveSectionName[] = ".quiv";   // exact, case matters
constexpr int kDosPeOffsetField = 0x3C;           // u16 read: offset of the PE header
constexpr int kMinPeOffset = 0x40;
constexpr int kMaxPeOffset = 0x1000;
constexpr int kPeSectionCountField = 6;           // u16, from the PE header
constexpr int kPeOptionalSizeField = 20;          // u16, size of the optional header
constexpr int kPeInitializedDataField = 32;       // u32, size of initialised data
constexpr int kPeImageSizeField = 80;             // u32, size of image
constexpr int kPeSectionTableBase = 24;           // + optional header size
constexpr int kMinSectionCount = 4;
constexpr int kMaxSectionCount = 99;
constexpr int kSectionEntrySize = 40;
constexpr int kSectionNameSize = 8;
constexpr int kSectionVirtualAddressField = 12;   // u32
constexpr int kSectionRawSizeField = 16;          // u32
constexpr int kSectionRawOffsetField = 20;        // u32

// ---------------------------------------------------------------- volumes
constexpr int kFirstVolumeNumber = 2;   // the installer itself is volume 1
constexpr char kVolumeNameFormat[] = "%s%d.QSX";

// ---------------------------------------------------------------- corrupt-installer codes
// The numbered codes shown with the "installation program is corrupt" text; they are part of
// what the user sees and keep these values.
enum CorruptCode : int {
    kCorruptWriteLength = 5,           // negative length of a file to write
    kCorruptRawOffsetZero = 9,         // archive section's raw-data offset is 0
    kCorruptRawOffsetSeek = 10,        // positioning at the raw-data offset failed
    kCorruptStepDelay = 19,            // settings: step delay above 9999
    kCorruptMagic = 20,                // header: wrong magic
    kCorruptVolumeName = 21,           // settings: blank volume base name
    kCorruptSettingsSize = 22,         // header: settingsSize not in 1..kMaxSettingsSize
    kCorruptPatchOffset = 23,          // settings: uninstaller patch offset out of range
    kCorruptLicenceCount = 24,         // settings: licence text count not in 0..20
    kCorruptSettingsChecksum = 25,     // decompressed settings checksum != settingsKey
    kCorruptReadmeCount = 26,          // settings: read-me text count not in 0..20
    kCorruptFileCount = 27,            // header: negative fileCount
    kCorruptStoredSize = 28,           // header: stored size not in 0..kMaxStoredFileSize
    kCorruptDataSize = 29,             // header: negative dataSize
    kCorruptLanguageCount = 30,        // settings: language count not in 1..100
    kCorruptMessageCount = 31,         // settings: message count not in 1..10,000
    kCorruptEndMarker = 32,            // settings: wrong end marker
    kCorruptStubRead = 35,             // reading the bytes before the section failed
    kCorruptAssociationCount = 36,     // settings: association count not in 0..10,000
    kCorruptUninstallValueCount = 37,  // settings: extra uninstall values not in 0..10,000
    kCorruptDeletionCount = 38,        // settings: more than 1001 deletion records
    kCorruptBitmapShare = 39,          // settings: bitmap share not in 0..100
    kCorruptStubChecksum = 40,         // checksum of the bytes before the section
    kCorruptTrailerRead = 42,          // reading the bytes behind the section failed
    kCorruptPeOffset = 43,             // PE header offset not in 64..4096
    kCorruptSectionCount = 44,         // section count not in 4..99
    kCorruptArchiveEnd = 45,           // header: negative archiveEnd
    kCorruptOverrun = 46,              // a read would pass the end of the archive section
    kCorruptSettingsBlock = 47,        // the settings block does not decompress
    kCorruptVolumeRead = 50,           // reading a volume failed (or it is too long)
    kCorruptDataChecksum = 55,         // checksum of the data block
    kCorruptDataBlock = 60,            // the data block does not decompress
    kCorruptDate = 65,                 // a malformed date in the archive
    kCorruptFileName = 70,             // empty stored file name
    kCorruptNegativeFileSize = 71,     // negative stored file size
    kCorruptFileSizeTooLarge = 72,     // stored file size above kMaxStoredFileSize
    kCorruptFileChecksum = 100,        // checksum of a stored file
    kCorruptDestinationKind = 110,     // destination kind not in the table
};

// ---------------------------------------------------------------- helpers
// The u32 / i32 stored little-endian at p (no alignment needed).
inline uint32_t loadU32(const void* p)
{
    const uint8_t* b = static_cast<const uint8_t*>(p);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
}
inline int32_t loadI32(const void* p) { return static_cast<int32_t>(loadU32(p)); }

// Stores value little-endian at p (no alignment needed).
inline void storeU32(void* p, uint32_t value)
{
    uint8_t* b = static_cast<uint8_t*>(p);
    b[0] = static_cast<uint8_t>(value);
    b[1] = static_cast<uint8_t>(value >> 8);
    b[2] = static_cast<uint8_t>(value >> 16);
    b[3] = static_cast<uint8_t>(value >> 24);
}

// Whether an archive of format version value (x 100, the header's field) can be read: true
// unless value * 0.01 - kInstallerVersion > kVersionTolerance in double precision, so 1120 and
// older (1000) are accepted while 1121 and 1122 are refused.
bool archiveVersionAccepted(int32_t value);

// The archive checksum of length bytes at data: kChecksumSeed when data is null or
// length < 1; otherwise the seed plus every whole little-endian u32 word, plus each trailing
// byte as a signed value (-128..127), plus length, all modulo 2^32.
uint32_t archiveChecksum(const void* data, int length);

// XORs byte i of the buffer with byte (i mod 4) of key's little-endian form, in place; its
// own inverse. Nothing happens when buffer is null or length < 1.
void unscramble(void* buffer, int length, uint32_t key);
