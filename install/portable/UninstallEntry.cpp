#include "install/portable/UninstallEntry.h"

#include "core/Variant.h"

namespace {

// The number a text starts with (sign and digits, as Variant reads texts); 0 without one.
uint32_t leadingNumber(const String& text)
{
    Variant value;
    value.SetText(text);
    return value.AsUInt32();
}

// The decimal digits of the 64-bit word, unsigned.
String decimal(uint64_t word)
{
    char digits[24];
    int at = sizeof digits;
    digits[--at] = '\0';
    do {
        digits[--at] = static_cast<char>('0' + word % 10);
        word /= 10;
    } while (word != 0);
    return String(digits + at);
}

void add(Vector<UninstallValue>& values, const char* name, UninstallValue::Action action, const String& text)
{
    UninstallValue& value = values.Append(UninstallValue());
    value.name = name;
    value.action = action;
    value.text = text;
}

void addNumber(Vector<UninstallValue>& values, const char* name, UninstallValue::Action action, uint32_t number)
{
    UninstallValue& value = values.Append(UninstallValue());
    value.name = name;
    value.action = action;
    value.number = number;
}

void addVersion(Vector<UninstallValue>& values, const String& version)
{
    const int dot = version.FindChar('.');
    if (dot < 0) {
        add(values, "VersionMajor", UninstallValue::kDelete, String());
        add(values, "VersionMinor", UninstallValue::kDelete, String());
        return;
    }
    String minor;
    version.Mid(minor, dot + 1, version.Length() - dot - 1);
    addNumber(values, "VersionMajor", UninstallValue::kNumber, leadingNumber(version));
    addNumber(values, "VersionMinor", UninstallValue::kNumber, leadingNumber(minor));
}

void addAppearance(Vector<UninstallValue>& values, const UninstallEntryFacts& facts)
{
    add(values, "DisplayTitle", UninstallValue::kText, facts.displayTitle);
    addNumber(values, "TitleColor", UninstallValue::kNumber, facts.titleColor);
    addNumber(values, "TopColor", UninstallValue::kNumber, facts.topColor);
    if (facts.monoColor)
        add(values, "BottomColor", UninstallValue::kDelete, String());
    else
        addNumber(values, "BottomColor", UninstallValue::kNumber, facts.bottomColor);
    addNumber(values, "MonoColor", UninstallValue::kNumber, facts.monoColor ? 1 : 0);
    addNumber(values, "TitleShadow", UninstallValue::kNumber, facts.titleShadow);
    addNumber(values, "BitmapSize", UninstallValue::kNumber, facts.bitmapSize);
}

void addRecords(Vector<UninstallValue>& values, const UninstallEntryFacts& facts)
{
    if (!facts.records)
        return;
    for (const UninstallData& record : *facts.records) {
        String text(record.value);
        if (facts.expand)
            facts.expand(text);
        if (record.type == 4)
            addNumber(values, record.name.CStr(), UninstallValue::kNumber, leadingNumber(text));
        else
            add(values, record.name.CStr(), record.type == 2 ? UninstallValue::kExpandOrDrop : UninstallValue::kTextOrDrop,
                text);
    }
}

} // namespace

String uninstallCommand(const String& uninstallerPath, const String& keyName, bool quiet)
{
    String command(uninstallerPath);
    command.Append(quiet ? " /a /u:\"" : " /u:\"");
    command.Append(keyName);
    command.Append("\"");
    return command;
}

Vector<UninstallValue> uninstallEntryValues(const UninstallEntryFacts& facts)
{
    Vector<UninstallValue> values;
    add(values, "UninstallString", UninstallValue::kText, uninstallCommand(facts.uninstallerPath, facts.keyName, false));
    add(values, "QuietUninstallString", UninstallValue::kText,
        uninstallCommand(facts.uninstallerPath, facts.keyName, true));
    add(values, "DisplayName", UninstallValue::kText, facts.productName);
    add(values, "InstallSource", UninstallValue::kText, facts.installerPath);
    add(values, "DisplayVersion", UninstallValue::kTextOrDrop, facts.displayVersion);
    add(values, "Publisher", UninstallValue::kTextOrDrop, facts.publisher);
    addVersion(values, facts.displayVersion);
    add(values, "ProductRegistry", UninstallValue::kTextOrDrop, facts.productRegistry);
    add(values, "ProductStartMenu", UninstallValue::kTextOrDrop, facts.productStartMenu);
    add(values, "SharedPath", UninstallValue::kTextOrDrop, facts.sharedPath);
    add(values, "ProductFonts", UninstallValue::kTextOrDrop, facts.productFonts);
    add(values, "ProductFlags", UninstallValue::kText, decimal(facts.productFlags));
    add(values, "UninstallBatch1", UninstallValue::kTextOrDrop, facts.uninstallBatch1);
    add(values, "UninstallBatch2", UninstallValue::kTextOrDrop, facts.uninstallBatch2);
    add(values, "SharedFiles", UninstallValue::kTextOrDrop, facts.sharedFiles);
    add(values, "UninstallSubdir", UninstallValue::kTextOrDrop, facts.uninstallSubdir);
    addNumber(values, "ShortcutMode", UninstallValue::kNumberOrDrop, facts.allUsersShortcuts ? 1 : 0);
    addAppearance(values, facts);
    addRecords(values, facts);
    add(values, "InstallLocation", UninstallValue::kText, facts.installLocation);
    add(values, "InstallDate", UninstallValue::kText, facts.installDate);
    return values;
}
