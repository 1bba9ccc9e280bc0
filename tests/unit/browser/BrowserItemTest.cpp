#include "browser/BrowserItem.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Names(const BrowserItem& item)
{
    std::vector<std::string> names;
    for (const auto& entry : item.m_files)
        names.push_back(entry->m_strName);
    return names;
}

}  // namespace

TEST(BrowserItemTest, NewItemIsUnreadAndEmpty)
{
    const BrowserItem item;
    EXPECT_EQ(item.m_bListed, 0);
    EXPECT_EQ(item.m_bNewFolder, 0);
    EXPECT_TRUE(item.m_files.empty());
}

TEST(BrowserItemTest, EntriesKeepTheOrderTheyWereAddedInAndTheirPlaceInMemory)
{
    BrowserItem item;
    item.AppendEntry(std::make_unique<FileEntry>("b.txt", "1", "01/01/70  12:00:00  AM"));
    const FileEntry* first = item.m_files.front().get();
    item.AppendEntry(FileEntry("a.txt", "???", ""));
    for (int i = 0; i < 100; ++i)
        item.AppendEntry(FileEntry("n" + std::to_string(i), "0", ""));
    item.AppendEntry(std::unique_ptr<FileEntry>());
    ASSERT_EQ(item.m_files.size(), 102u);
    EXPECT_EQ(item.m_files[0]->m_strName, "b.txt");
    EXPECT_EQ(item.m_files[1]->m_strName, "a.txt");
    EXPECT_EQ(item.m_files[1]->m_strSize, "???");
    EXPECT_EQ(item.m_files.front().get(), first);
}

TEST(BrowserItemTest, ClearFilesKeepsTheFlags)
{
    BrowserItem item;
    item.m_bListed = 1;
    item.m_bNewFolder = 1;
    item.AppendEntry(FileEntry("a", "1", ""));
    item.ClearFiles();
    EXPECT_TRUE(item.m_files.empty());
    EXPECT_EQ(item.m_bListed, 1);
    EXPECT_EQ(item.m_bNewFolder, 1);
}

TEST(BrowserItemTest, RemoveEntryTakesOnlyTheFirstExactMatch)
{
    BrowserItem item;
    item.AppendEntry(FileEntry("Report.txt", "1", ""));
    item.AppendEntry(FileEntry("dup", "first", ""));
    item.AppendEntry(FileEntry("dup", "second", ""));

    item.RemoveEntry("report.txt");
    item.RemoveEntry("REPORT.TXT");
    item.RemoveEntry("Report.txt ");
    item.RemoveEntry("missing");
    EXPECT_EQ(Names(item), (std::vector<std::string>{"Report.txt", "dup", "dup"}));

    item.RemoveEntry("dup");
    EXPECT_EQ(Names(item), (std::vector<std::string>{"Report.txt", "dup"}));
    EXPECT_EQ(item.m_files[1]->m_strSize, "second");

    item.RemoveEntry("Report.txt");
    EXPECT_EQ(Names(item), (std::vector<std::string>{"dup"}));
}

TEST(BrowserItemTest, RenameEntryChangesOnlyTheFirstExactMatchsName)
{
    BrowserItem item;
    item.AppendEntry(FileEntry("Photo.JPG", "2048", "07/04/99  01:02:03  PM"));
    item.AppendEntry(FileEntry("dup", "first", "t1"));
    item.AppendEntry(FileEntry("dup", "second", "t2"));

    item.RenameEntry("photo.jpg", "other");
    item.RenameEntry("missing", "other");
    EXPECT_EQ(Names(item), (std::vector<std::string>{"Photo.JPG", "dup", "dup"}));

    item.RenameEntry("Photo.JPG", "Holiday.jpg");
    EXPECT_EQ(item.m_files[0]->m_strName, "Holiday.jpg");
    EXPECT_EQ(item.m_files[0]->m_strSize, "2048");
    EXPECT_EQ(item.m_files[0]->m_strModified, "07/04/99  01:02:03  PM");

    item.RenameEntry("dup", "renamed");
    EXPECT_EQ(Names(item), (std::vector<std::string>{"Holiday.jpg", "renamed", "dup"}));
    EXPECT_EQ(item.m_files[1]->m_strSize, "first");
    EXPECT_EQ(item.m_files[1]->m_strModified, "t1");
}

TEST(BrowserItemTest, FindEntryMatchesExactlyAndFirst)
{
    BrowserItem item;
    item.AppendEntry(FileEntry("dup", "first", ""));
    item.AppendEntry(FileEntry("dup", "second", ""));
    ASSERT_NE(item.FindEntry("dup"), nullptr);
    EXPECT_EQ(item.FindEntry("dup")->m_strSize, "first");
    EXPECT_EQ(item.FindEntry("DUP"), nullptr);
}
