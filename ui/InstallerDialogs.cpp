// The language, licence, read-me and directory dialogs.
#include "ui/InstallerDialogs.h"

#include "app/InstallerState.h"
#include "archive/portable/Language.h"
#include "core/String.h"
#include "ui/BackgroundWindow.h"
#include "ui/Dialog.h"
#include "ui/DialogIds.h"
#include "ui/Questions.h"
#include "ui/portable/LanguageChoice.h"

#include <shlobj.h>

namespace {

constexpr int kMaxDirectoryLength = 259;

// The user's language name as the platform gives it (localized), empty when it cannot.
String userLanguageName()
{
    char name[128];
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLANGUAGE, name, sizeof name);
    return n > 1 ? String(name, n - 1) : String();
}

class LanguageDialog : public Dialog {
public:
    explicit LanguageDialog(Language& languages) : languages_(languages) {}

protected:
    bool onInit() override
    {
        HWND list = item(QSX_ID_LANGUAGES);
        for (int i = 0; i < languages_.languageCount(); ++i)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(languages_.name(i).CStr()));
        const int index = initialLanguage(languages_, userLanguageWord(userLanguageName()));
        SendMessageA(list, LB_SETCURSEL, index, 0);
        apply(index);
        CentreOnScreen(window());
        return true;
    }

    bool onCommand(int id, int code) override
    {
        if (id == QSX_ID_LANGUAGES && code == LBN_SELCHANGE) {
            const int index = selection();
            if (index >= 0 && index < languages_.languageCount())
                apply(index);
            return true;
        }
        if (id == QSX_ID_NEXT || (id == QSX_ID_LANGUAGES && code == LBN_DBLCLK)) {
            int index = selection();
            const int last = languages_.languageCount() - 1;
            index = index > last ? last : index;
            languages_.setIndex(index < 0 ? 0 : index);
            end(kDialogNext);
            return true;
        }
        if (id == QSX_ID_CANCEL || id == IDCANCEL) {
            end(kDialogCancel);
            return true;
        }
        return false;
    }

private:
    int selection() const
    {
        return static_cast<int>(SendMessageA(item(QSX_ID_LANGUAGES), LB_GETCURSEL, 0, 0));
    }

    // Makes index the current language: the background's title and the buttons follow.
    void apply(int index)
    {
        languages_.setIndex(index);
        installerState().windowTitle = languages_.message(0);
        setItemText(QSX_ID_NEXT, languages_.message(48));
        setItemText(QSX_ID_CANCEL, languages_.message(49));
        RepaintBackground();
    }

    Language& languages_;
};

// The licence and read-me pages: a heading, the text and two buttons.
class TextPageDialog : public Dialog {
public:
    struct Texts {
        int caption, heading, next, cancel;
    };
    TextPageDialog(const String& text, const Texts& texts, bool declineAlt)
        : text_(text), texts_(texts), declineAlt_(declineAlt) {}

protected:
    bool onInit() override
    {
        // The text box shows line breaks only as CR LF.
        String shown = text_;
        shown.NormaliseLineBreaks();
        setItemText(QSX_ID_TEXT, shown);
        setText(message(texts_.caption));
        setItemText(QSX_ID_HEADING, message(texts_.heading));
        setItemText(QSX_ID_NEXT, message(texts_.next));
        setItemText(QSX_ID_CANCEL, message(texts_.cancel));
        CentreOnScreen(window());
        return true;
    }

    bool onCommand(int id, int) override
    {
        if (id == QSX_ID_NEXT) {
            end(kDialogNext);
            return true;
        }
        if (id == QSX_ID_CANCEL || id == IDCANCEL || (declineAlt_ && id == QSX_ID_DECLINE_ALT)) {
            end(kDialogCancel);
            return true;
        }
        return false;
    }

private:
    const String& text_;
    Texts texts_;
    bool declineAlt_;
};

int CALLBACK browseCallback(HWND window, UINT message, LPARAM, LPARAM start)
{
    if (message == BFFM_INITIALIZED) {
        CentreOnScreen(window);
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, start);
    }
    return 0;
}

void freeItemList(LPITEMIDLIST list)
{
    IMalloc* allocator = nullptr;
    if (list && SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(list);
        allocator->Release();
    }
}

class ChooseDirDialog : public Dialog {
protected:
    bool onInit() override
    {
        setItemText(QSX_ID_HEADING, message(11));
        SendDlgItemMessageA(window(), QSX_ID_DIRECTORY, EM_LIMITTEXT, kMaxDirectoryLength, 0);
        setItemText(QSX_ID_DIRECTORY, installerState().installDir);
        setItemText(QSX_ID_NEXT, message(48));
        setItemText(QSX_ID_CANCEL, message(49));
        setItemText(QSX_ID_BROWSE, message(52));
        setText(message(24));
        CentreOnScreen(window());
        return true;
    }

    bool onCommand(int id, int) override
    {
        switch (id) {
        case QSX_ID_BROWSE:
            browse();
            return true;
        case QSX_ID_NEXT:
            // The limit holds also for text put in without typing.
            installerState().installDir = itemText(QSX_ID_DIRECTORY);
            if (installerState().installDir.Length() > kMaxDirectoryLength)
                installerState().installDir.SetLength(kMaxDirectoryLength);
            end(1);
            return true;
        case QSX_ID_CANCEL:
        case IDCANCEL:
            end(0);
            return true;
        default:
            return false;
        }
    }

private:
    void browse()
    {
        const String start = itemText(QSX_ID_DIRECTORY);
        LPITEMIDLIST root = nullptr;
        SHGetSpecialFolderLocation(window(), CSIDL_DRIVES, &root);
        char display[MAX_PATH] = "";
        BROWSEINFOA info = {};
        info.hwndOwner = window();
        info.pidlRoot = root;
        info.pszDisplayName = display;
        info.lpszTitle = message(11).CStr();
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        info.lpfn = browseCallback;
        info.lParam = reinterpret_cast<LPARAM>(start.CStr());
        LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
        char path[MAX_PATH] = "";
        if (chosen && SHGetPathFromIDListA(chosen, path))
            setItemText(QSX_ID_DIRECTORY, String(path));
        freeItemList(chosen);
        freeItemList(root);
    }
};

HWND dialogOwner()
{
    return installerState().mainWindow;
}

} // namespace

int RunLanguageDialog(Language& languages)
{
    LanguageDialog dialog(languages);
    return static_cast<int>(dialog.runModal("LanguageDlg", dialogOwner()));
}

int RunLicenseDialog(const String& text)
{
    TextPageDialog dialog(text, {44, 47, 45, 46}, true);
    return static_cast<int>(dialog.runModal("LicenseDlg", dialogOwner()));
}

int RunReadmeDialog(const String& text)
{
    TextPageDialog dialog(text, {50, 51, 48, 49}, false);
    return static_cast<int>(dialog.runModal("ReadmeDlg", dialogOwner()));
}

int RunChooseDirDialog()
{
    ChooseDirDialog dialog;
    return static_cast<int>(dialog.runModal("ChooseDirDlg", dialogOwner()));
}
