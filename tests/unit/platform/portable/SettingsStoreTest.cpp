#include "platform/portable/SettingsStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Records the sections entered; refuses the section named "refuse" and, unless allowed, the root.
class RecordingStore : public SettingsStore {
public:
    bool exchange(const char*, Variant&) override { return false; }
    bool enterSection(const char* name) override
    {
        trail += std::string("[") + name + "]";
        return std::string(name) != "refuse";
    }
    bool goToRoot() override
    {
        trail += "/";
        return rootAllowed;
    }

    bool rootAllowed = true;
    std::string trail;
};

TEST(SettingsStore, EnterPathEntersEverySectionBeforeTheValueName)
{
    struct Case {
        const char* path;
        bool rootAllowed;
        bool result;
        const char* trail;
    } cases[] = {
        {"A\\B\\Value", true, true, "[A][B]"},
        {"Value", true, true, ""},
        {"A\\B\\", true, true, "[A][B]"},
        {"A\\\\B", true, true, "[A][]"},
        {"\\A\\Value", true, true, "/[A]"},
        {"\\A\\Value", false, false, "/"},
        {"", true, true, "/"},
        {"", false, false, "/"},
        {"A\\refuse\\B\\Value", true, false, "[A][refuse]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        RecordingStore store;
        store.rootAllowed = c.rootAllowed;
        EXPECT_EQ(c.result, store.enterPath(c.path));
        EXPECT_EQ(c.trail, store.trail);
    }
    RecordingStore store;
    EXPECT_FALSE(store.enterPath(nullptr));
    EXPECT_EQ("", store.trail);
}

TEST(SettingsStore, TheBaseHasNoSectionsAndNoRoot)
{
    struct Bare : SettingsStore {
        bool exchange(const char*, Variant&) override { return true; }
    } store;
    EXPECT_FALSE(store.storing);
    EXPECT_EQ('\\', store.separator);
    EXPECT_FALSE(store.enterPath("A\\Value"));
    EXPECT_TRUE(store.enterPath("Value"));
    EXPECT_FALSE(store.enterPath(""));
    store.separator = '/';
    EXPECT_TRUE(store.enterPath("A\\Value")); // one piece now: a value name
}

} // namespace
