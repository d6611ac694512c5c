#include "builder/Messages.h"

#include "archive/format/SettingsLayout.h"

#include <cctype>
#include <cstring>
#include <set>
#include <stdexcept>

namespace {

const std::vector<BuiltInMessage> kMessages = {
    {0, "", "title of the background window and the dialogs", "<product> Setup"},
    {1, "", "welcome question", "This will install <product> on your computer.\r\n\r\nDo you want to go on?"},
    {2, "", "caption of the existing-installation question", "<product> is installed"},
    {3, "", "an existing installation was found", "<product> is already installed on this computer."},
    {4, "", "the existing installation has the same version", "This version of <product> is already installed."},
    {5, "", "the existing installation is older", "An older version of <product> is installed."},
    {6, "", "the existing installation is newer", "A newer version of <product> is installed."},
    {7, "", "closing sentence of the existing-installation question", "Do you want to install over it?"},
    {8, "", "status: reading the installation data", "Reading the installation data..."},
    {9, "", "refused: already installed", "<product> is already installed. Remove it before installing it again."},
    {10, "s", "uninstall failed (the list of problems)", "Some parts of <product> could not be removed:\r\n\r\n%s"},
    {11, "", "label of the folder dialog and heading of the folder browser", "Install <product> into this folder:"},
    {12, "s", "the master product is not installed", "This update needs %s, which is not installed on this computer."},
    {13, "d", "the installer is damaged (error code)",
     "This installer is damaged (error %d). Download it again and retry."},
    {14, "", "invalid installation folder (the folder follows)", "This folder cannot be used for the installation:"},
    {15, "", "caption of the uninstall success message", "<product> removed"},
    {16, "c", "drive not available (drive letter)", "Drive %c: is not available."},
    {17, "", "a root folder was chosen", "A drive's root folder cannot be the installation folder."},
    {18, "s", "the Program Files folder itself was chosen",
     "%s itself cannot be the installation folder. Choose a folder inside it."},
    {19, "scs", "not enough disk space (needed, drive letter, free)",
     "The installation needs %s, but drive %c: has only %s free.\r\n\r\nInstall anyway?"},
    {20, "", "caption of questions", "Please confirm"},
    {21, "", "caption of error boxes", "Error"},
    {22, "s", "the folder exists; install into it?", "The folder %s already exists.\r\n\r\nInstall into it?"},
    {23, "s", "the folder will be created", "The folder %s does not exist yet.\r\n\r\nCreate it?"},
    {24, "", "caption of the folder dialog and question", "Installation folder"},
    {25, "", "a folder could not be created (folder and reason follow)", "This folder could not be created:"},
    {26, "dc", "insert the next volume (volume number, drive letter)",
     "Please make volume %d of the installation available in drive %c: and choose OK."},
    {27, "", "caption of the volume request", "Next volume"},
    {28, "", "cancel the installation?", "Do you want to stop the installation?"},
    {29, "", "status: unpacking the installation data", "Unpacking the installation data..."},
    {30, "", "a wrong volume was offered", "That is not the volume asked for."},
    {31, "", "a file could not be written (the path follows)", "This file could not be written:"},
    {32, "", "status: installing files", "Installing files..."},
    {33, "", "title of the uninstaller's shortcut", "Remove <product>"},
    {34, "", "the uninstall succeeded", "<product> was removed from this computer."},
    {35, "", "caption of the shared-file question", "Shared file"},
    {36, "", "status: finishing", "Finishing the installation..."},
    {37, "", "restart now?", "The computer must restart to finish the installation.\r\n\r\nRestart now?"},
    {38, "s", "shortcut title made from a file name", "%s"},
    {39, "", "label of the progress window while installing", "Installing <product>"},
    {40, "s", "errors occurred; show the log? (path of the log)",
     "The installation finished with errors. They are listed in %s.\r\n\r\nShow the list now?"},
    {41, "", "caption of the error question", "Installation errors"},
    {42, "", "the installation succeeded", "<product> is installed."},
    {43, "", "caption of the success message, last line of the log", "Installation complete"},
    {44, "", "caption of the licence dialog", "Licence"},
    {45, "", "licence dialog: accept", "I accept"},
    {46, "", "licence dialog: decline", "I decline"},
    {47, "", "label of the licence dialog", "Please read this licence. Do you accept it?"},
    {48, "", "OK button", "OK"},
    {49, "", "Cancel button", "Cancel"},
    {50, "", "caption of the read-me dialog", "Read me"},
    {51, "", "label of the read-me dialog", "Please read this before you go on:"},
    {52, "", "browse button of the folder dialog", "Browse..."},
    {53, "", "remove the product?", "Do you want to remove <product> from this computer?"},
    {54, "", "caption of the progress window while installing", "<product> Setup"},
    {55, "", "caption of the uninstall question and progress window", "Remove <product>"},
    {56, "s", "remove this font? (font name)", "Remove the font %s?"},
    {57, "", "caption of the font question", "Font"},
    {58, "", "start of a line naming a file that could not be removed", "Could not remove:"},
    {59, "s", "remove this unused shared file? (path)",
     "No program uses the shared file %s any more.\r\n\r\nRemove it?"},
    {60, "", "status: please wait", "Please wait..."},
    {61, "s", "the product does not install on this system (system name)", "<product> cannot be installed on %s."},
    {62, "", "status: checking the installation data", "Checking the installation data..."},
    {63, "", "licence text shown before the product's licence texts (empty: none)", ""},
    {64, "", "read-me text shown before the product's read-me texts (empty: none)", ""},
    {65, "", "caption of the welcome question", "Welcome"},
    {66, "", "network folders are refused",
     "Network folders cannot be used for the installation. Choose a folder on a local drive."},
    {67, "", "status: removing fonts", "Removing fonts..."},
    {68, "", "status: removing the installation log", "Removing the installation log..."},
    {69, "", "status: removing registry entries", "Removing registry entries..."},
    {70, "", "status: restoring file associations", "Restoring file associations..."},
    {71, "", "label of the progress window while removing", "Removing <product>"},
};

std::string numberList(const std::vector<int>& numbers)
{
    std::string s;
    for (int n : numbers)
        s += (s.empty() ? "" : ", ") + std::to_string(n);
    return s;
}

void applyTexts(std::vector<std::string>& messages, const LanguageTexts& lang)
{
    for (const auto& [number, text] : lang.texts) {
        if (number < 0 || number >= kMessageNumberCount)
            throw std::invalid_argument(lang.source + ": message " + std::to_string(number) +
                                        " is not one the installer uses (0 to " +
                                        std::to_string(kMessageNumberCount - 1) + ")");
        std::string problem = messageFormatProblem(number, text);
        if (!problem.empty())
            throw std::invalid_argument(lang.source + ": message " + std::to_string(number) + ": " + problem);
        if (text.find('\0') != std::string::npos)
            throw std::invalid_argument(lang.source + ": message " + std::to_string(number) + " holds a zero byte");
        messages[number] = text;
    }
}

} // namespace

const std::vector<BuiltInMessage>& builtInMessages() { return kMessages; }

std::string formatConversions(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        size_t j = i + 1;
        if (j < text.size() && text[j] == '%') {
            i = j;
            continue;
        }
        while (j < text.size() && std::strchr("-+ #0123456789.*lhIL", text[j]) && text[j] != '\0')
            ++j;
        out += j < text.size() ? text[j] : '?';
        i = j;
    }
    return out;
}

std::string messageFormatProblem(int number, const std::string& text)
{
    if (number < 0 || number >= kMessageNumberCount)
        return "";
    const std::string want = kMessages[number].arguments;
    const std::string have = formatConversions(text);
    if (have == want)
        return "";
    auto show = [](const std::string& c) {
        if (c.empty())
            return std::string("none");
        std::string s;
        for (char ch : c)
            s += (s.empty() ? "%" : " %") + std::string(1, ch);
        return s;
    };
    return "the installer passes " + show(want) + " but the text has " + show(have) +
           " (write a percent sign as %%)";
}

std::vector<ProductSpec::Language> buildLanguageTable(const std::map<int, std::string>& englishOverrides,
                                                      const std::vector<LanguageTexts>& added,
                                                      std::vector<std::string>& warnings)
{
    std::vector<std::string> english;
    for (const BuiltInMessage& m : kMessages)
        english.push_back(m.english);
    applyTexts(english, {kEnglishLanguageName, englishOverrides, "the project's messages"});

    std::vector<const LanguageTexts*> others;
    std::set<std::string> names = {kEnglishLanguageName};
    for (const LanguageTexts& lang : added) {
        if (lang.name == kEnglishLanguageName) {
            applyTexts(english, lang);
            continue;
        }
        if (lang.name.empty() || lang.name.find('\0') != std::string::npos)
            throw std::invalid_argument(lang.source + ": a language needs a name");
        if (!names.insert(lang.name).second)
            throw std::invalid_argument(lang.source + ": language \"" + lang.name + "\" is given twice");
        others.push_back(&lang);
    }

    std::vector<ProductSpec::Language> table = {{kEnglishLanguageName, english}};
    for (const LanguageTexts* lang : others) {
        std::vector<std::string> messages = english;
        applyTexts(messages, *lang);
        std::vector<int> missing;
        for (int n = 0; n < kMessageNumberCount; ++n)
            if (!lang->texts.count(n))
                missing.push_back(n);
        if (!missing.empty())
            warnings.push_back(lang->source + ": language \"" + lang->name + "\" has no text for message" +
                               (missing.size() > 1 ? "s " : " ") + numberList(missing) + "; English is used");
        table.push_back({lang->name, messages});
    }
    if (table.size() > static_cast<size_t>(kMaxLanguages))
        throw std::invalid_argument("more than " + std::to_string(kMaxLanguages) + " languages");
    return table;
}
