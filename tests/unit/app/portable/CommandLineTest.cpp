#include "app/portable/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string str(const String& s)
{
    return std::string(s.CStr(), static_cast<size_t>(s.Length()));
}

std::vector<std::string> atoms(const char* line)
{
    std::vector<std::string> out;
    int pos = 0;
    const int length = static_cast<int>(std::string(line).size());
    for (;;) {
        String atom = nextCommandLineAtom(line, length, pos);
        if (atom.IsEmpty())
            return out;
        out.push_back(str(atom));
    }
}

struct Parsed {
    bool ok;
    CommandLineOptions options;
    std::string message;
};

Parsed parse(const char* line)
{
    Parsed p;
    String message;
    p.ok = parseCommandLine(line, p.options, message);
    p.message = str(message);
    return p;
}

} // namespace

TEST(CommandLineAtoms, BlanksSeparateAndQuotedSectionsStayWhole)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(V(), atoms(""));
    EXPECT_EQ(V(), atoms(" \t\r\n "));
    EXPECT_EQ((V{"/a", "/d:x"}), atoms(" \t/a\r\n/d:x\t"));
    EXPECT_EQ((V{"/d:\"C:\\Program Files\\App\"", "/a"}), atoms("/d:\"C:\\Program Files\\App\" /a"));
    // A doubled quote inside a section stands for one; the section keeps one pair of quotes.
    EXPECT_EQ((V{"/n:\"say \"hi\"\""}), atoms("/n:\"say \"\"hi\"\"\""));
    // A quoted section may sit in the middle of an atom, and the atom goes on after it.
    EXPECT_EQ((V{"ab\"c d\"ef", "g"}), atoms("ab\"c d\"ef g"));
    // An unclosed quote runs to the end and still gets its closing quote.
    EXPECT_EQ((V{"/d:\"C:\\My App /a\""}), atoms("/d:\"C:\\My App /a"));
    EXPECT_EQ((V{"\"\""}), atoms("\"\""));
}

TEST(CommandLineParse, SwitchesSetTheirOptions)
{
    Parsed p = parse("/A -n:\"My Product\" /D:C:\\App /r:\"notepad `C:\\My Dir\\read me.txt`\"");
    ASSERT_TRUE(p.ok) << p.message;
    EXPECT_TRUE(p.options.automaticMode);
    EXPECT_FALSE(p.options.uninstallMode);
    EXPECT_EQ("My Product", str(p.options.productName));
    EXPECT_EQ("C:\\App", str(p.options.installDir));
    EXPECT_EQ("notepad \"C:\\My Dir\\read me.txt\"", str(p.options.runAfterProgram));

    for (const char* a : {"/a", "-a", "/A", "-A"})
        EXPECT_TRUE(parse(a).options.automaticMode) << a;
}

TEST(CommandLineParse, QuotedValues)
{
    EXPECT_EQ("C:\\Program Files\\App", str(parse("/d:\"C:\\Program Files\\App\"").options.installDir));
    // Missing closing quote: the rest of the line is the directory.
    EXPECT_EQ("C:\\My App /a", str(parse("/d:\"C:\\My App /a").options.installDir));
    EXPECT_EQ("", str(parse("/d:\"\"").options.installDir));
    // /r: without a closing quote keeps the text; an empty program is empty.
    EXPECT_EQ("a.exe", str(parse("/r:\"a.exe").options.runAfterProgram));
    EXPECT_EQ("", str(parse("/r:\"\"").options.runAfterProgram));
}

TEST(CommandLineParse, LaterSwitchReplacesEarlier)
{
    Parsed p = parse("/d:one /n:a /d:two -N:b /u:\"x\" /U:y");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ("two", str(p.options.installDir));
    EXPECT_EQ("b", str(p.options.productName));
    EXPECT_EQ("y", str(p.options.uninstallName));
}

TEST(CommandLineParse, Uninstall)
{
    Parsed p = parse("/u:\"My Product\" /a");
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.options.uninstallMode);
    EXPECT_TRUE(p.options.automaticMode);
    EXPECT_EQ("My Product", str(p.options.uninstallName));

    for (const char* line : {"/u", "/uX", "-U", "/u:", "/u:\"\""}) {
        Parsed q = parse(line);
        EXPECT_FALSE(q.ok) << line;
        EXPECT_TRUE(q.options.uninstallMode) << line;
        EXPECT_EQ("Product name required", q.message) << line;
    }
}

TEST(CommandLineParse, UsageErrors)
{
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"x", "Unexpected command line parameter:\nx"},
        {"/a \"/d:C:\\x y\"", "Unexpected command line parameter:\n\"/d:C:\\x y\""},
        {"/ab", "Illegal command line atom:\nab"},
        {"-ab", "Illegal command line atom:\nab"},
        {"/r:notepad.exe", "Illegal command line atom:\nr:notepad.exe"},
        {"/d", "Illegal command line atom:\nd"},
        {"/n\"x\"", "Illegal command line atom:\nn\"x\""},
        {"/%s%n", "Illegal command line atom:\n%s%n"},
        // The first fault is reported, before a missing uninstall name.
        {"/u /q", "Illegal command line atom:\nq"},
    };
    for (const Case& c : cases) {
        Parsed p = parse(c.line);
        EXPECT_FALSE(p.ok) << c.line;
        EXPECT_EQ(c.message, p.message) << c.line;
    }
}

TEST(CommandLineParse, LoneSlashAndEmptyLineAreIgnored)
{
    for (const char* line : {"", "   ", "/", "-", "/ - /a"}) {
        Parsed p = parse(line);
        EXPECT_TRUE(p.ok) << line;
        EXPECT_FALSE(p.options.uninstallMode);
    }
    EXPECT_TRUE(parse(nullptr).ok);
}

TEST(CommandLineParse, OnlyNineteenAtomsAreExamined)
{
    std::string line;
    for (int i = 0; i < 18; ++i)
        line += "/a ";
    EXPECT_TRUE(parse((line + "/d:nineteen").c_str()).ok);
    EXPECT_EQ("nineteen", str(parse((line + "/d:nineteen").c_str()).options.installDir));
    line += "/d:nineteen ";
    // The twentieth is not looked at: neither a malformed one nor a valid one.
    EXPECT_TRUE(parse((line + "garbage").c_str()).ok);
    EXPECT_TRUE(parse((line + "/u").c_str()).ok);
    EXPECT_EQ("nineteen", str(parse((line + "/d:twenty").c_str()).options.installDir));
}

TEST(CommandLineUsage, ExactText)
{
    const std::string expected =
        "Product name required\n\nUsage:\nsetup.exe [/a] [/d:\"dir\"] [/n:\"name\"] [/u:\"name\"] [/r:\"program\"]\n\n"
        "/a" + std::string(18, ' ') + "\tAutomatic mode\n"
        "/d:\"dir\"" + std::string(8, ' ') + "\tOverride installation directory\n"
        "/n:\"name\"\tOverride product name\n"
        "/u:\"name\"\tUninstall product by name\r\n"
        "/r:\"program\"\tRun the specified program after a successful installation";
    EXPECT_EQ(expected, str(usageText("Product name required", "setup.exe")));
    // The message is a value, not a format.
    EXPECT_EQ(0u, str(usageText("%s%d", "p")).find("%s%d\n\nUsage:\np [/a]"));
}
