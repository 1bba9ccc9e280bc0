// One table per server family: the lines its servers send, and the entries they must give.
// Each family is read by its own parser and, to catch a family that shadows another, by the
// dispatcher in Auto as well.

#include "platform/inet/ListingParser.h"

#include "ListingRows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr std::int64_t kCaptureTime = 1796699789;   // 2026-12-08T03:16:29Z

void ExpectFamily(const std::vector<ListingRow>& rows, ListingFormat format)
{
    for (const ListingRow& row : rows) {
        ExpectRow(row, ParseListingLine(row.line, format, kCaptureTime));
        ExpectRow(row, ParseListingLine(row.line, ListingFormat::Auto, kCaptureTime));
    }
}

TEST(ListingFamilies, MsDosAndIis)
{
    ExpectFamily({
        {"04-27-00  12:09PM       <DIR>          dos dir", "dos dir", true, std::nullopt, Utc(2000, 4, 27, 12, 9)},
        {"04-14-2000  03:47PM                  589 four digits", "four digits", false, 589, Utc(2000, 4, 14, 15, 47)},
        {"2002-09-02  18:48       <DIR>          iso dir", "iso dir", true, std::nullopt, Utc(2002, 9, 2, 18, 48)},
        {"2002-09-02  19:06                9,730 thousands", "thousands", false, 9730, Utc(2002, 9, 2, 19, 6)},
        {"09-02-2002  07:06PM        1,234,567,890 big", "big", false, 1234567890, Utc(2002, 9, 2, 19, 6)},
        {"02.09.2002  19:06            1.234.567 european", "european", false, 1234567, Utc(2002, 9, 2, 19, 6)},
    }, ListingFormat::Dos);
    for (std::string_view line : {"09-02-2002  07:06PM  1,23,456 bad-groups", "09-02-2002  07:06PM  1,234, trailing"})
        EXPECT_FALSE(ParseDosListingLine(line)) << line;
}

TEST(ListingFamilies, Eplf)
{
    ExpectFamily({
        {"+i8388621.48594,m825718503,r,s280,\teplf file", "eplf file", false, 280, 825718503},
        {"+i8388621.50690,m824255907,/,\teplf dir", "eplf dir", true, std::nullopt, 824255907},
        {"+r,s0,\t lead", " lead", false, 0, std::nullopt},
    }, ListingFormat::Eplf);
    for (std::string_view line : {"+i1,m2,r", "+m12x,r,\tbad-time", "+i1\tno-kind", "i1,r,\tno-plus"})
        EXPECT_FALSE(ParseEplfLine(line)) << line;
}

TEST(ListingFamilies, NetWare)
{
    ExpectFamily({
        {"d [R----F--] supervisor            512       Jan 16 18:53    login", "login", true, 512, Utc(2026, 1, 16, 18, 53)},
        {"- [RWCEAFMS] rhesus             214059       Oct 20  2019    cx file.exe", "cx file.exe", false, 214059, Utc(2019, 10, 20)},
    }, ListingFormat::NetWare);
}

TEST(ListingFamilies, Os2)
{
    ExpectFamily({
        {"36611      A    04-23-103  10:57  os2 file", "os2 file", false, 36611, Utc(2003, 4, 23, 10, 57)},
        {" 1123      A    07-14-99   12:37  old", "old", false, 1123, Utc(1999, 7, 14, 12, 37)},
        {"    0 DIR       02-11-103  16:15  os2 dir", "os2 dir", true, 0, Utc(2003, 2, 11, 16, 15)},
        {" 1123 DIR  A    10-05-100  23:38  marked dir", "marked dir", true, 1123, Utc(2000, 10, 5, 23, 38)},
    }, ListingFormat::Os2);
}

TEST(ListingFamilies, Vms)
{
    ExpectFamily({
        {"CII-MANUAL.TEX;1  213/216  29-JAN-1996 03:33:12  [ANONYMOU,ANONYMOUS]   (RWED,RWED,,)", "CII-MANUAL.TEX;1",
         false, 213 * 512, Utc(1996, 1, 29, 3, 33, 12)},
        {"PUB.DIR;1  1 19-NOV-2001 21:41 [root,root] (RWE,RWE,RE,RE)", "PUB", true, std::nullopt, Utc(2001, 11, 19, 21, 41)},
        {"NOTES.TXT;12       155   2-JUL-2003 10:30:13.64", "NOTES.TXT;12", false, 155 * 512, Utc(2003, 7, 2, 10, 30, 13)},
        {"NOTIME.DAT;1    2/8    15-JAN-2000    [IV2_XXX]   (RWED,RWED,RE,)", "NOTIME.DAT;1", false, 2 * 512, Utc(2000, 1, 15)},
        {"SUMMARY.LOG;1   [SUMMARY]    1/3     2-AUG-2006 13:05  (RWE,RWE,RE,)", "SUMMARY.LOG;1", false, 512, Utc(2006, 8, 2, 13, 5)},
    }, ListingFormat::Vms);
}

TEST(ListingFamilies, VmsEntriesWrappedOverTwoLines)
{
    const std::string listing =
        "Directory DISK$USERS:[ANONYMOUS]\r\n"
        "\r\n"
        "A-VERY-LONG-FILE-NAME-INDEED.TXT;1\r\n"
        "                  170774/170775  24-APR-2003 08:16:15  [FTP_CLIENT,SCOT]  (RWED,RWED,RE,)\r\n"
        "SHORT.TXT;3         10/12  2-JUL-2003 10:30:08.59  [FTP_CLIENT,SCOT]  (RWED,RWED,RE,)\r\n"
        "ANOTHER-RATHER-LONG-NAME.DAT;2\r\n"
        "10\t\t\t     2-JUL-2003 10:30:08.59  [FTP_CLIENT,SCOT]      (RWED,RWED,RE,)\r\n"
        "\r\n"
        "Total of 3 files, 170794/170799 blocks.\r\n";
    const ListingReport report = ParseListingReport(listing, ListingFormat::Auto, kCaptureTime);
    ASSERT_EQ(report.entries.size(), 3u);
    EXPECT_EQ(report.entries[0].name, "A-VERY-LONG-FILE-NAME-INDEED.TXT;1");
    EXPECT_EQ(report.entries[0].size, 170774u * 512);
    EXPECT_EQ(report.entries[1].name, "SHORT.TXT;3");
    EXPECT_EQ(report.entries[2].name, "ANOTHER-RATHER-LONG-NAME.DAT;2");
    EXPECT_EQ(report.entries[2].size, 10u * 512);
    // The header and the total are no entries, and no lines lost either.
    EXPECT_EQ(report.skippedLines, 0u) << report.firstSkipped;
}

TEST(ListingFamilies, IbmI)
{
    ExpectFamily({
        {"QSYS            77824 02/23/00 15:09:55 *DIR       QOpenSys/", "QOpenSys", true, 77824, Utc(2000, 2, 23, 15, 9, 55)},
        {"QDFTOWN          2011 09/17/01 16:13:56 *STMF      READ ME", "READ ME", false, 2011, Utc(2001, 9, 17, 16, 13, 56)},
        {"QSYS            20480 23/02/00 15:09:55 *FILE      QGPL.LIB/QCLSRC.FILE", "QCLSRC.FILE", false, 20480, Utc(2000, 2, 23, 15, 9, 55)},
        {"TESTUSR                                 *MEM       QGPL.LIB/QCLSRC.FILE/HELLO.MBR", "HELLO.MBR", false, std::nullopt, std::nullopt},
        {"QSYS           184320 11/05/22 08:00:00 *LIB       QGPL.LIB", "QGPL.LIB", true, 184320, Utc(2022, 11, 5, 8)},
    }, ListingFormat::Ibmi);
}

TEST(ListingFamilies, Mvs)
{
    ExpectFamily({
        {"WYOSPT 3420   2003/05/21  1  200  FB      80  8053  PS  PAYROLL.DATA", "PAYROLL.DATA", false, std::nullopt, Utc(2003, 5, 21)},
        {"WPTA01 3390   2004/03/04  1    3  FB      80  3125  PO  PAYROLL.SOURCE", "PAYROLL.SOURCE", true, std::nullopt, Utc(2004, 3, 4)},
        {"TSO005 3390   2005/06/06 213000 U 0 27998 PO  WIDE.USED", "WIDE.USED", true, std::nullopt, Utc(2005, 6, 6)},
        {"Migrated                                                OLD.PAYROLL", "OLD.PAYROLL", false, std::nullopt, std::nullopt},
        {"TSO004 3390   VSAM PAYROLL.INDEX", "PAYROLL.INDEX", false, std::nullopt, std::nullopt},
        {"Pseudo Directory                                        SYS1", "SYS1", true, std::nullopt, std::nullopt},
        {"PAYCALC   01.01 2004/06/22 2004/06/23 16:32   128   128    0 USER12", "PAYCALC", false, std::nullopt, Utc(2004, 6, 23, 16, 32)},
        {"IEFBR14   000010 000411  00 FO        RU      31    ANY", "IEFBR14", false, 16, std::nullopt},
    }, ListingFormat::Mvs);
}

TEST(ListingFamilies, VxWorks)
{
    ExpectFamily({
        {"  2048    Feb-28-1998  05:23:30   config <DIR>", "config", true, std::nullopt, Utc(1998, 2, 28, 5, 23, 30)},
        {"  41      MAR-26-2003  16:05:32   startup cmd", "startup cmd", false, 41, Utc(2003, 3, 26, 16, 5, 32)},
    }, ListingFormat::VxWorks);
}

TEST(ListingFamilies, WindowsCe)
{
    ExpectFamily({
        {"Sun Nov 23 14:02:11 2003  <DIR>  Storage Card", "Storage Card", true, std::nullopt, Utc(2003, 11, 23, 14, 2, 11)},
        {"Mon Mar 28 2005 09:15:00     1234  readme.txt", "readme.txt", false, 1234, Utc(2005, 3, 28, 9, 15)},
    }, ListingFormat::WinCe);
}

TEST(ListingFamilies, EmbeddedSizeDateName)
{
    ExpectFamily({
        {"206876  Apr 04, 2000 21:06 photo.jpg", "photo.jpg", false, 206876, Utc(2000, 4, 4, 21, 6)},
        {"0  Dec 12, 2002 02:13 logs/", "logs", true, std::nullopt, Utc(2002, 12, 12, 2, 13)},
        {"1024  2004-07-15 12:00 config.xml", "config.xml", false, 1024, Utc(2004, 7, 15, 12)},
        {"512   15.07.2004  data.bin", "data.bin", false, 512, Utc(2004, 7, 15)},
        {"<DIR> 2004-07-15 08:30 www", "www", true, std::nullopt, Utc(2004, 7, 15, 8, 30)},
    }, ListingFormat::Embedded);
}

TEST(ListingFamilies, SystemReplyHintsTheLayout)
{
    EXPECT_EQ(ListingFormatFromSystem("215 UNIX Type: L8"), ListingFormat::Unix);
    EXPECT_EQ(ListingFormatFromSystem("215 Windows_NT"), ListingFormat::Dos);
    EXPECT_EQ(ListingFormatFromSystem("215 VMS OpenVMS V8.4"), ListingFormat::Vms);
    EXPECT_EQ(ListingFormatFromSystem("215 MVS is the operating system of this server. FTP Server is running on z/OS."),
              ListingFormat::Mvs);
    EXPECT_EQ(ListingFormatFromSystem("215  OS/400 is the remote operating system. The TCP/IP version is \"V7R4M0\"."),
              ListingFormat::Ibmi);
    EXPECT_EQ(ListingFormatFromSystem("215 NETWARE Type: L8"), ListingFormat::NetWare);
    EXPECT_EQ(ListingFormatFromSystem("215 Something else"), ListingFormat::Auto);
}

}  // namespace
