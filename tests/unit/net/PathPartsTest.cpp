#include "net/Attempts.h"
#include "net/PathParts.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

TEST(PathPartsTest, SplitsAtTheLastSlashKeepingIt)
{
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
    };
    const Case cases[] = {
        {"/a.txt", "/", "a.txt"},
        {"C:/a.txt", "C:/", "a.txt"},
        {"C:/Temp/a b.txt", "C:/Temp/", "a b.txt"},
        {"/pub/sub/", "/pub/sub/", ""},
        {"a.txt", "", "a.txt"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        std::string directory = "stale";
        std::string name = "stale";
        SplitPath(c.path, directory, name);
        EXPECT_EQ(directory, c.directory) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
    }
}

TEST(PathPartsTest, TakesOnlySingleEntryNames)
{
    for (const std::string name : {"a", "New Folder", "-rf", ".hidden", "...", "Größe 東京", " lead"})
        EXPECT_TRUE(IsEntryName(name)) << name;
    for (const std::string& name : {std::string(), std::string("."), std::string(".."), std::string("a/b"),
                                     std::string("/"), std::string("dir/"), std::string("nul\0x", 5)})
        EXPECT_FALSE(IsEntryName(name)) << name;
}

TEST(PathPartsTest, AttemptsUntilTheFirstSuccessAndSwallowsThrows)
{
    struct Case {
        int succeedsOn;   // 0: never
        bool throws;
        bool result;
        int calls;
    };
    const Case cases[] = {{1, false, true, 1}, {3, false, true, 3}, {0, false, false, 5}, {0, true, false, 5},
                          {4, true, true, 4}};
    for (const Case& c : cases) {
        int calls = 0;
        const bool result = AttemptUpTo(5, [&] {
            ++calls;
            if (calls == c.succeedsOn)
                return true;
            if (c.throws)
                throw std::runtime_error("refused");
            return false;
        });
        EXPECT_EQ(result, c.result) << c.succeedsOn << c.throws;
        EXPECT_EQ(calls, c.calls) << c.succeedsOn << c.throws;
    }
}
