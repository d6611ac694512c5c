// SettingsWriter: the settings block, byte by byte.
#include "builder/SettingsWriter.h"

#include "archive/format/ArchiveFormat.h"

#include <algorithm>

namespace {

class Out {
public:
    std::vector<uint8_t> bytes;

    void u8(uint8_t v) { bytes.push_back(v); }
    void u16(uint16_t v) { unsignedValue(v, 2); }
    void u32(uint32_t v) { unsignedValue(v, 4); }
    void u64(uint64_t v) { unsignedValue(v, 8); }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void text(const std::string& s)
    {
        bytes.insert(bytes.end(), s.begin(), s.end());
        bytes.push_back(0);
    }
    void raw(const uint8_t* p, size_t n) { bytes.insert(bytes.end(), p, p + n); }
    void block(const std::vector<uint8_t>& b)
    {
        u32(static_cast<uint32_t>(b.size()));
        raw(b.data(), b.size());
    }

private:
    void unsignedValue(uint64_t v, int width)
    {
        for (int i = 0; i < width; ++i)
            bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
};

size_t messageCount(const ProductSpec& spec)
{
    size_t n = 0;
    for (const ProductSpec::Language& l : spec.languages)
        n = std::max(n, l.messages.size());
    return n;
}

void writeTexts(Out& out, const std::vector<std::string>& texts)
{
    out.u32(static_cast<uint32_t>(texts.size()));
    for (const std::string& t : texts)
        out.text(t);
}

void writeProductFields(Out& out, const ProductSpec& s)
{
    out.u64(s.productFlags);
    out.u16(s.stepDelay);
    out.u8(s.shortcutMode);
    const ProductSpec::Time& t = s.uninstallerTime;
    for (int32_t v : {t.year, t.month, t.day, t.hour, t.minute, t.second})
        out.i32(v);
    for (const std::string* text : {&s.publisher, &s.productName, &s.sharedPath,
                                    &s.productStartMenu, &s.defaultDirectory, &s.displayVersion,
                                    &s.productRegistry})
        out.text(*text);
    out.u32(s.bitmapSize);
    writeTexts(out, s.licenceTexts);
    writeTexts(out, s.readmeTexts);
    for (const std::string* text : {&s.uninstallSubdir, &s.volumeBaseName,
                                    &s.uninstallerFileName, &s.uninstallKeyName})
        out.text(*text);
    out.u32(s.titleColor);
    out.u8(s.titleShadow);
    out.u32(s.topColor);
    out.u32(s.bottomColor);
    out.block(s.backgroundBitmap);
    if (s.hasFlag(kFlagMasterUpdate))
        out.text(s.masterKeyName);
    for (const std::string* text : {&s.desktopFolder, &s.batchText1, &s.batchText2,
                                    &s.batchText3, &s.uninstallBatch1, &s.uninstallBatch2})
        out.text(*text);
    out.raw(s.reserved, kSettingsReservedSize);
    out.u32(s.excludedSystems);
    out.u8(s.multiVolume);
    out.u32(s.firstVolumeNumber);
    if (s.hasFlag(kFlagUninstallSupport)) {
        out.u32(s.patchOffset);
        if (s.patchOffset > 0)
            out.block(s.patchBytes);
    }
}

void writeTables(Out& out, const ProductSpec& s)
{
    for (const ProductSpec::Deletion& d : s.deletions) {
        out.text(d.path);
        out.u8(static_cast<uint8_t>(d.condition));
        out.text(d.value);
        out.u32(d.flags);
    }
    out.text(kDeletionEndName);

    out.u32(static_cast<uint32_t>(s.associations.size()));
    for (const ProductSpec::Association& a : s.associations) {
        out.u32(a.flags);
        for (const std::string* text : {&a.extension, &a.fileType, &a.description, &a.verb,
                                        &a.verbText, &a.command, &a.language, &a.icon})
            out.text(*text);
    }

    out.u32(static_cast<uint32_t>(s.uninstallValues.size()));
    for (const ProductSpec::UninstallValue& v : s.uninstallValues) {
        out.text(v.name);
        out.u8(v.type);
        out.text(v.value);
    }

    const size_t messages = messageCount(s);
    out.u8(static_cast<uint8_t>(s.languages.size()));
    out.u32(static_cast<uint32_t>(messages));
    for (const ProductSpec::Language& l : s.languages)
        out.text(l.name);
    static const std::string none;
    for (size_t m = 0; m < messages; ++m)
        for (const ProductSpec::Language& l : s.languages)
            out.text(m < l.messages.size() ? l.messages[m] : none);
}

bool blank(const std::string& s)
{
    return s.find_first_not_of(" \r\n\t") == std::string::npos;
}

// Every text of the product, named for the problem line.
std::vector<std::pair<std::string, const std::string*>> allTexts(const ProductSpec& s)
{
    std::vector<std::pair<std::string, const std::string*>> t = {
        {"publisher", &s.publisher}, {"productName", &s.productName},
        {"sharedPath", &s.sharedPath}, {"productStartMenu", &s.productStartMenu},
        {"defaultDirectory", &s.defaultDirectory}, {"displayVersion", &s.displayVersion},
        {"productRegistry", &s.productRegistry}, {"uninstallSubdir", &s.uninstallSubdir},
        {"volumeBaseName", &s.volumeBaseName}, {"uninstallerFileName", &s.uninstallerFileName},
        {"uninstallKeyName", &s.uninstallKeyName}, {"masterKeyName", &s.masterKeyName},
        {"desktopFolder", &s.desktopFolder}, {"batchText1", &s.batchText1},
        {"batchText2", &s.batchText2}, {"batchText3", &s.batchText3},
        {"uninstallBatch1", &s.uninstallBatch1}, {"uninstallBatch2", &s.uninstallBatch2},
    };
    for (const std::string& x : s.licenceTexts)
        t.push_back({"licence text", &x});
    for (const std::string& x : s.readmeTexts)
        t.push_back({"read-me text", &x});
    for (const ProductSpec::Deletion& d : s.deletions) {
        t.push_back({"deletion path", &d.path});
        t.push_back({"deletion value", &d.value});
    }
    for (const ProductSpec::Association& a : s.associations)
        for (const std::string* x : {&a.extension, &a.fileType, &a.description, &a.verb,
                                     &a.verbText, &a.command, &a.language, &a.icon})
            t.push_back({"association text", x});
    for (const ProductSpec::UninstallValue& v : s.uninstallValues) {
        t.push_back({"uninstall value name", &v.name});
        t.push_back({"uninstall value", &v.value});
    }
    for (const ProductSpec::Language& l : s.languages) {
        t.push_back({"language name", &l.name});
        for (const std::string& m : l.messages)
            t.push_back({"message of " + l.name, &m});
    }
    return t;
}

} // namespace

std::vector<uint8_t> writeSettings(const ProductSpec& spec)
{
    Out out;
    writeProductFields(out, spec);
    writeTables(out, spec);
    out.u32(kSettingsEndMarker);
    return std::move(out.bytes);
}

std::vector<std::string> settingsProblems(const ProductSpec& s)
{
    std::vector<std::string> p;
    auto need = [&p](bool ok, const std::string& line) {
        if (!ok)
            p.push_back(line);
    };
    need(s.stepDelay <= kMaxStepDelay, "step delay above 9999 ms");
    need(s.bitmapSize <= kMaxBitmapSize, "bitmap size above 100 percent");
    need(s.licenceTexts.size() <= kMaxLicenceTexts, "more than 20 licence texts");
    need(s.readmeTexts.size() <= kMaxReadmeTexts, "more than 20 read-me texts");
    need(!blank(s.volumeBaseName), "blank volume base name");
    need(s.deletions.size() <= static_cast<size_t>(kMaxDeletions), "more than 1001 deletions");
    need(s.associations.size() <= kMaxAssociations, "more than 10000 file associations");
    need(s.uninstallValues.size() <= kMaxUninstallValues, "more than 10000 uninstall values");
    need(!s.languages.empty() && s.languages.size() <= static_cast<size_t>(kMaxLanguages),
         "language count not in 1..100");
    const size_t messages = messageCount(s);
    need(messages >= 1 && messages <= kMaxMessages, "message count not in 1..10000");
    for (const ProductSpec::Deletion& d : s.deletions)
        need(d.path != kDeletionEndName, "a deletion path equal to the table's end name");
    for (const auto& [name, text] : allTexts(s))
        need(text->find('\0') == std::string::npos, name + " holds a zero byte");
    return p;
}
