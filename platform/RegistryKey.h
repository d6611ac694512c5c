#pragma once
// RegistryKey: a cursor over the registry, walked like a directory tree.
//
// open pushes the current key (and its text) and makes the opened key current; close closes
// it and returns to the key before. Every key the cursor opened is closed by close, closeAll
// or the destructor. Values are read into and written from Variants: text, 32-bit numbers
// (REG_DWORD) and flags. Every open and create asks for full access (KEY_ALL_ACCESS).
//
// Value names may be empty or null: both name the key's default value.

#include "core/Stack.h"
#include "core/String.h"
#include "core/Vector.h"
#include "platform/RegistryHandle.h"
#include "platform/Win32.h"
#include "platform/portable/SettingsStore.h"

class Variant;

class RegistryKey : public SettingsStore {
public:
    // Options, one mask shared by the operations; each uses only the bits named with it.
    enum : unsigned {
        noOptions = 0,
        required = 0x02,      // getValue: a missing value is fatal
        deleteIfEmpty = 0x08, // writing an empty text, a zero number or an empty value deletes it
        showErrors = 0x10,    // a failed open or key deletion shows the "Registry Error" box
        onlyIfEmpty = 0x20,   // deleteSubkey: only a key without subkeys and values
        openOnly = 0x40,      // open: never create the key
        binaryValue = 0x80,   // text is written as REG_BINARY
        expandString = 0x100, // text is written as REG_EXPAND_SZ (binaryValue wins over it)
    };

    // Results of open.
    enum : int { openFailed = 0, openedExisting = 1, createdNew = 2 };
    // Results of deleteValue, deleteSubkey and deleteKeyPath.
    enum : int { deleted = 1, nothingToDelete = 2, deleteFailed = 3, notEmpty = 4 };

    RegistryKey() {}
    // closeAll.
    ~RegistryKey() override;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // ---------------------------------------------------------------- navigation
    // Opens (openOnly) or opens-or-creates subkey below root (a predefined root or any open
    // key). Returns createdNew, openedExisting or openFailed. On failure nothing changes (the
    // showErrors box is shown when asked). On success the current key and keyText are pushed,
    // the new key becomes current, and keyText becomes the root's prefix ("HKEY_CURRENT_USER\"
    // and the like) for a predefined root, then gains subkey (a relative open joins it to the
    // text with one backslash).
    int open(HKEY root, const char* subkey, unsigned options = noOptions);
    // open(current key, name, options); openFailed when no key is open.
    int openSubkey(const char* name, unsigned options = noOptions);
    // open of "Software\" + path below HKEY_CURRENT_USER (currentUser) or HKEY_LOCAL_MACHINE.
    int openSoftwareKey(const char* path, bool currentUser, unsigned options = noOptions);
    // Closes the current key (when one is open) and returns to the key the matching open left.
    void close();
    // Closes every key this cursor opened; afterwards no key is open and the stacks are empty.
    void closeAll();

    bool isOpen() const { return handle_.isOpen(); }
    // The current key (null when none); it stays owned by the cursor.
    HKEY handle() const { return handle_.get(); }
    // The readable path of the current key ("HKEY_LOCAL_MACHINE\Software\..."); empty when
    // nothing was opened.
    const String& keyText() const { return keyText_; }
    // The number of open levels pushed (0 when nothing is open).
    int depth() const { return outerHandles_.Count(); }

    // ---------------------------------------------------------------- reading
    // Reads the value name of the current key into value: REG_SZ and REG_EXPAND_SZ as their
    // text (without the terminating NUL, environment references not expanded), REG_BINARY and
    // REG_MULTI_SZ as all their bytes, REG_DWORD as an unsigned 32-bit number. False (value
    // unchanged) when no key is open, for a missing value, any other type, a REG_DWORD that
    // is not 4 bytes long, or a failed read. With required, a missing value is fatal.
    bool getValue(const char* name, Variant& value, unsigned options = noOptions);
    // The value as text / number / flag (Variant conversions) when getValue succeeds, else
    // defaultValue.
    String getString(const char* name, const String& defaultValue, unsigned options = noOptions);
    int getInt(const char* name, int defaultValue, unsigned options = noOptions);
    bool getBool(const char* name, bool defaultValue, unsigned options = noOptions);
    // Whether a key is open and holds the value name.
    bool valueExists(const char* name);
    // The number of subkeys of the current key; -1 when no key is open or the query fails.
    int subkeyCount();
    bool hasSubkeys() { return subkeyCount() > 0; }
    // True when no key is open, the query fails, or the current key has neither subkeys nor
    // values.
    bool isEmpty();
    // Whether the subkey name is empty (isEmpty); true when it cannot be opened.
    bool isEmptyKey(const char* name);
    // Appends the names of the current key's subkeys to list, in the registry's order; the
    // number appended. 0 when no key is open or list is null. Afterwards the last error is 0
    // when the listing reached its end, else the failing call's code.
    int listSubkeys(Vector<String>* list);

    // ---------------------------------------------------------------- writing
    // Each returns false when no key is open and on a failed write; nothing is shown.
    //
    // An empty value deletes the value name (true); with deleteIfEmpty so does a zero or empty
    // one. An integer kind is written as REG_DWORD, anything else as its text (REG_SZ, or
    // REG_BINARY / REG_EXPAND_SZ by the options).
    bool setValue(const char* name, const Variant& value, unsigned options = noOptions);
    // With deleteIfEmpty an empty text deletes the value: true when deleteValue gave deleted.
    // Otherwise the text is written with its terminating NUL as REG_SZ, REG_BINARY
    // (binaryValue) or REG_EXPAND_SZ (expandString). A null text counts as empty.
    bool setString(const char* name, const String& text, unsigned options = noOptions);
    bool setString(const char* name, const char* text, unsigned options = noOptions);
    // With deleteIfEmpty a 0 deletes the value (true); otherwise writes REG_DWORD.
    bool setInt(const char* name, int number, unsigned options = noOptions);
    // setInt(name, 1 or 0).
    bool setBool(const char* name, bool flag);
    // deleted, nothingToDelete (no key open) or deleteFailed.
    int deleteValue(const char* name);

    // ---------------------------------------------------------------- deleting keys
    // Deletes the subkey name of the current key with everything below it, deepest keys
    // first. deleted; nothingToDelete when no key is open or name is empty; deleteFailed when
    // the key itself cannot be deleted (showErrors box); notEmpty when onlyIfEmpty is set and
    // the subkey holds subkeys or values (nothing deleted then).
    int deleteSubkey(const char* name, unsigned options = noOptions);
    // Deletes the key path below root (the text after its last backslash below the key before
    // it): deleteSubkey's results; nothingToDelete also when the name part is empty or the
    // parent key cannot be opened (showErrors box). The cursor ends where it started.
    int deleteKeyPath(HKEY root, const char* path, unsigned options = noOptions);
    // deleteSubkey of name below "Software\" + parentPath in HKEY_CURRENT_USER (currentUser)
    // or HKEY_LOCAL_MACHINE; results as deleteKeyPath.
    int deleteSoftwareKey(const char* parentPath, const char* name, bool currentUser,
                          unsigned options = noOptions);
    // deleteKeyPath of "Software\" + path in that hive.
    int deleteSoftwareKeyPath(const char* path, bool currentUser, unsigned options = noOptions);

    // ---------------------------------------------------------------- the store
    // setValue (storing) or getValue, without options.
    bool exchange(const char* name, Variant& value) override;
    // openSubkey(name) opened or created the key.
    bool enterSection(const char* name) override;

private:
    // Writes bytes (length + 1, the NUL included) as type; false when no key is open.
    bool writeText(const char* name, const String& text, unsigned options);
    bool writeNumber(const char* name, unsigned long number);
    // The fatal error of a missing required value. Never returns.
    [[noreturn]] void missingRequiredValue(const char* name) const;

    RegistryHandle handle_;
    String keyText_;
    Stack<HKEY> outerHandles_; // owned: closed by close
    Stack<String> outerTexts_;
};

// Whether "Software\" + path opens with full access below HKEY_CURRENT_USER (currentUser) or
// HKEY_LOCAL_MACHINE; false for a null or empty path. The key is closed again at once.
bool keyExists(const char* path, bool currentUser);

// The value named by the text after the last backslash of valuePath, in the key before it
// below root: getString(name, "", options) (empty when the value is missing). defaultValue
// when the value name is empty or the key cannot be opened; only the openOnly bit of options
// goes to the open (without it a missing key is created).
String readTextAt(HKEY root, const char* valuePath, const String& defaultValue,
                  unsigned options = RegistryKey::noOptions);

// The "Registry Error" box with the system's text for code, when options holds showErrors
// and the text is not empty; the thread's last error becomes code.
void registryErrorBox(long code, unsigned options);
