// SettingsReader: one sequential pass over the decompressed settings block.
#include "archive/portable/SettingsReader.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/SettingsLayout.h"

#include <cstring>

namespace {

// Little-endian reads over the block. Past the end every read gives zero bytes and empty
// texts; a length that passes the end takes what is left (a corrupt length never turns
// into a huge allocation).
class Cursor {
public:
    Cursor(const char* data, int length)
        : data_(reinterpret_cast<const uint8_t*>(data)), length_(data ? length : 0) {}

    uint8_t u8() { return static_cast<uint8_t>(unsignedValue(1)); }
    uint16_t u16() { return static_cast<uint16_t>(unsignedValue(2)); }
    uint32_t u32() { return static_cast<uint32_t>(unsignedValue(4)); }
    uint64_t u64() { return unsignedValue(8); }
    int32_t i32() { return static_cast<int32_t>(u32()); }

    // Bytes up to (without) the next zero byte or the end; the zero is passed over.
    void text(String& out)
    {
        const int left = length_ - pos_;
        if (left < 1) {
            out.Clear();
            return;
        }
        const void* zero = std::memchr(data_ + pos_, 0, static_cast<size_t>(left));
        const int n = zero ? static_cast<int>(static_cast<const uint8_t*>(zero) - (data_ + pos_)) : left;
        out.Assign(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += zero ? n + 1 : n;
    }

    // n bytes (fewer when the block ends first) into out.
    void bytes(String& out, uint32_t n)
    {
        const int left = length_ - pos_;
        const int take = n > static_cast<uint32_t>(left) ? left : static_cast<int>(n);
        out.Clear();
        if (take > 0)
            out.Assign(reinterpret_cast<const char*>(data_ + pos_), take);
        pos_ += take;
    }

    void raw(uint8_t* out, int n)
    {
        for (int i = 0; i < n; ++i)
            out[i] = u8();
    }

private:
    uint64_t unsignedValue(int width)
    {
        uint64_t value = 0;
        for (int i = 0; i < width; ++i) {
            if (pos_ < length_) {
                value |= static_cast<uint64_t>(data_[pos_]) << (8 * i);
                ++pos_;
            }
        }
        return value;
    }

    const uint8_t* data_;
    int length_;
    int pos_ = 0;
};

bool isDriveAbsolute(const String& s)
{
    const char c = s.CharAt(0);
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && s.CharAt(1) == ':' &&
           s.CharAt(2) == '\\';
}

bool isNetworkPath(const String& s)
{
    return s.CharAt(0) == '\\' && s.CharAt(1) == '\\';
}

bool hasDriveLetter(const String& s)
{
    const char c = s.CharAt(0);
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && s.CharAt(1) == ':';
}

// Length of the base's root: "X:" (2) or "\\server\share".
int rootLength(const String& base)
{
    if (!isNetworkPath(base))
        return 2;
    int slashes = 0;
    for (int i = 2; i < base.Length(); ++i)
        if (base.CharAt(i) == '\\' && ++slashes == 2)
            return i;
    return base.Length();
}

// Fields 13 and 14: a count, then that many texts.
int readTextList(Cursor& in, String* texts, int& count, uint32_t max, int corruptCode)
{
    const uint32_t n = in.u32();
    if (n > max)
        return corruptCode;
    count = static_cast<int>(n);
    for (int i = 0; i < count; ++i)
        in.text(texts[i]);
    return 0;
}

int readDeletions(Cursor& in, Array<FileDeletion>& out)
{
    // Collected in an array of the largest size, cut to the records read at the end.
    out.SetCount(kMaxDeletions);
    int count = 0;
    String name;
    for (;;) {
        in.text(name);
        if (name.Equals(kDeletionEndName)) {
            out.SetCount(count);
            return 0;
        }
        if (count >= kMaxDeletions) {
            out.SetCount(count);
            return kCorruptDeletionCount;
        }
        FileDeletion& d = out[count++];
        d.path = static_cast<String&&>(name);
        d.condition = static_cast<int8_t>(in.u8());
        in.text(d.value);
        d.flags = in.u32();
    }
}

int readAssociations(Cursor& in, Array<FileAssociation>& out)
{
    out.Clear();
    const uint32_t n = in.u32();
    if (n > kMaxAssociations)
        return kCorruptAssociationCount;
    out.SetCount(static_cast<int>(n));
    for (FileAssociation& a : out) {
        a.flags = in.u32();
        String* texts[kAssociationTexts] = {&a.extension, &a.fileType, &a.description, &a.verb,
                                            &a.verbText,  &a.command,  &a.language,    &a.icon};
        for (String* t : texts)
            in.text(*t);
    }
    return 0;
}

int readUninstallValues(Cursor& in, Array<UninstallData>& out)
{
    out.Clear();
    const uint32_t n = in.u32();
    if (n > kMaxUninstallValues)
        return kCorruptUninstallValueCount;
    out.SetCount(static_cast<int>(n));
    for (UninstallData& v : out) {
        in.text(v.name);
        v.type = in.u8();
        in.text(v.value);
    }
    return 0;
}

int readLanguageTable(Cursor& in, Language& languages)
{
    const int languageCount = in.u8();
    if (languageCount < 1 || languageCount > kMaxLanguages)
        return kCorruptLanguageCount;
    const uint32_t messageCount = in.u32();
    if (messageCount < 1 || messageCount > kMaxMessages)
        return kCorruptMessageCount;
    languages.reset(languageCount, static_cast<int>(messageCount));
    String text;
    for (int l = 0; l < languageCount; ++l) {
        in.text(text);
        languages.setName(l, text);
    }
    for (int m = 0; m < static_cast<int>(messageCount); ++m) {
        for (int l = 0; l < languageCount; ++l) {
            in.text(text);
            text.NormaliseLineBreaks();
            languages.setText(m, l, text);
        }
    }
    languages.setIndex(languages.englishIndex());
    return 0;
}

// Fields 1 to 12: flags, timing and the product's names and folders.
int readProductFields(Cursor& in, const SettingsReader& context, String& productName,
                      ProductSettings& s)
{
    s.productFlags = in.u64();
    s.stepDelay = in.u16();
    if (s.stepDelay > kMaxStepDelay)
        return kCorruptStepDelay;
    s.shortcutMode = in.u8();
    ArchiveTime& t = s.uninstallerTime;
    int32_t* parts[6] = {&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second};
    for (int32_t* p : parts)
        *p = in.i32();
    in.text(s.publisher);
    in.text(s.productName);
    if (productName.IsEmpty())
        productName = s.productName;

    in.text(s.sharedPath);
    if (!s.hasFlag(kFlagUninstallSupport))
        s.sharedPath.Clear();
    else if (s.sharedPath.IsEmpty())
        s.sharedPath = isBlankText(s.publisher) ? productName : s.publisher;

    in.text(s.productStartMenu);
    if (!s.productStartMenu.IsEmpty()) {
        if (!s.publisher.IsEmpty()) {
            s.productStartMenu = s.publisher;
            s.productStartMenu.Append('\\');
        }
        s.productStartMenu.Append(productName);
    }

    in.text(s.defaultDirectory);
    if (s.defaultDirectory.IsEmpty())
        s.defaultDirectory = productName;
    else
        s.defaultDirectory.Replace("<os>", context.windowsDir.CStr(), kFindIgnoreCase);

    in.text(s.displayVersion);
    in.text(s.productRegistry);
    s.bitmapSize = in.u32();
    if (s.bitmapSize > kMaxBitmapSize)
        return kCorruptBitmapShare;
    return 0;
}

// Fields 13 to 34: lists, uninstaller names, colours, bitmap, batch texts, volumes.
int readPresentationFields(Cursor& in, const String& productName, ProductSettings& s)
{
    if (int code = readTextList(in, s.licenceTexts, s.licenceCount, kMaxLicenceTexts,
                                kCorruptLicenceCount))
        return code;
    if (int code = readTextList(in, s.readmeTexts, s.readmeCount, kMaxReadmeTexts,
                                kCorruptReadmeCount))
        return code;
    in.text(s.uninstallSubdir);
    in.text(s.volumeBaseName);
    if (isBlankText(s.volumeBaseName))
        return kCorruptVolumeName;
    in.text(s.uninstallerFileName);
    in.text(s.uninstallKeyName);
    if (isBlankText(s.uninstallKeyName))
        s.uninstallKeyName = productName;

    s.titleColor = in.u32();
    s.titleShadow = in.u8();
    s.topColor = in.u32();
    s.bottomColor = in.u32();
    s.monoColor = s.topColor == s.bottomColor;
    in.bytes(s.backgroundBitmap, in.u32());

    s.masterKeyName.Clear();
    if (s.hasFlag(kFlagMasterUpdate)) {
        in.text(s.masterKeyName);
        if (isBlankText(s.masterKeyName))
            s.masterKeyName = productName;
    }
    in.text(s.desktopFolder);
    String* batches[5] = {&s.batchText1, &s.batchText2, &s.batchText3, &s.uninstallBatch1,
                          &s.uninstallBatch2};
    for (String* b : batches)
        in.text(*b);
    in.raw(s.reserved, kSettingsReservedSize);
    s.excludedSystems = in.u32();
    s.multiVolume = in.u8();
    s.firstVolumeNumber = in.u32();
    return 0;
}

} // namespace

int SettingsReader::read(const char* data, int length, String& productName,
                         ProductSettings& settings, Language& languages) const
{
    Cursor in(data, length);
    if (int code = readProductFields(in, *this, productName, settings))
        return code;
    if (int code = readPresentationFields(in, productName, settings))
        return code;

    settings.patchOffset = 0;
    settings.patchBytes.Clear();
    if (settings.hasFlag(kFlagUninstallSupport)) {
        settings.patchOffset = in.u32();
        if (static_cast<int64_t>(settings.patchOffset) > programFileSize)
            return kCorruptPatchOffset;
        if (settings.patchOffset > 0)
            in.bytes(settings.patchBytes, in.u32());
    }

    if (int code = readDeletions(in, settings.deletions))
        return code;
    if (int code = readAssociations(in, settings.associations))
        return code;
    if (int code = readUninstallValues(in, settings.uninstallValues))
        return code;
    if (int code = readLanguageTable(in, languages))
        return code;
    if (in.u32() != kSettingsEndMarker)
        return kCorruptEndMarker;
    return 0;
}

uint64_t readProductFlags(const char* data, int length)
{
    return Cursor(data, length).u64();
}

bool isBlankText(const String& text)
{
    return text.FindNotOf(" \r\n\t") < 0;
}

void anchorPath(String& path, const String& base)
{
    path.Trim();
    if (path.IsEmpty() || !(isDriveAbsolute(base) || isNetworkPath(base)))
        return;
    if (isNetworkPath(path) || isDriveAbsolute(path))
        return;

    const int root = rootLength(base);
    String folder(base.CStr() + root, base.Length() - root);  // "\dir..." or ""
    folder.TrimTrailing('\\');

    String result;
    if (path.CharAt(0) == '\\') {
        result.Assign(base.CStr(), root);
        result.Append(path);
    } else if (hasDriveLetter(path)) {
        result.Assign(path.CStr(), 2);
        result.Append(folder);
        result.Append('\\');
        result.Append(path.CStr() + 2, path.Length() - 2);
    } else {
        result.Assign(base.CStr(), root);
        result.Append(folder);
        result.Append('\\');
        result.Append(path);
    }
    path = static_cast<String&&>(result);
}
