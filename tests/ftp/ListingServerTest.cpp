// Folders on servers of other families: a scripted server sends the listing a VMS, MVS, IBM i,
// Windows or German-locale Unix server would, and the finder must hand out every entry, with
// lines it could not read told to the session log rather than lost without a word.

#include "ftp/support/ChildProcess.h"
#include "ftp/support/RecordingSession.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/FtpFileFind.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>

#include <fstream>
#include <memory>

namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);

// scripts/listing_ftpd.py serving one listing.
class ListingServer {
public:
    ListingServer(const std::string& listing, const std::string& syst)
    {
        const auto listingPath = m_work.Path() / "listing.txt";
        std::ofstream(listingPath, std::ios::binary) << listing;
        m_process = std::make_unique<ChildProcess>(
            std::vector<std::string>{"/usr/bin/python3", std::string(FERRIX_TEST_SCRIPTS) + "/listing_ftpd.py", "--log",
                                     (m_work.Path() / "commands.log").string(), "--listing", listingPath.string(),
                                     "--syst", syst},
            m_work.Path() / "stderr.txt", true);
        auto line = m_process->ReadLine(kStartTimeout);
        if (!line || line->rfind("LISTENING ", 0) != 0)
            throw std::runtime_error("listing_ftpd.py did not start: " + m_process->StderrText());
        m_port = static_cast<std::uint16_t>(std::stoi(line->substr(10)));
    }
    std::uint16_t Port() const { return m_port; }

private:
    TempDir m_work;
    std::uint16_t m_port = 0;
    std::unique_ptr<ChildProcess> m_process;
};

// What the user sees of an entry in the file list: its name, folder or not, and its size.
std::string Shown(const CFtpFileFind& finder)
{
    if (finder.IsDirectory())
        return finder.GetFileName() + " <folder>";
    return finder.GetFileName() + " " + std::to_string(finder.GetLength());
}

struct ServerCase {
    const char* family;
    std::string syst;
    std::string listing;
    std::vector<std::string> shown;
    std::string logged;   // the session log's line about skipped lines; empty: none
};

const ServerCase kCases[] = {
    {"vms", "VMS OpenVMS V8.4",
     "Directory DISK$USERS:[ANONYMOUS]\r\n\r\n"
     "A-VERY-LONG-FILE-NAME-INDEED.TXT;1\r\n"
     "                     4/6        24-APR-2003 08:16:15  [FTP,SCOT]  (RWED,RWED,RE,)\r\n"
     "PUB.DIR;1            1/3        19-NOV-2001 21:41:00  [FTP,SCOT]  (RWE,RWE,RE,RE)\r\n"
     "README.TXT;2         2/3         2-JUL-2003 10:30:08.59  [FTP,SCOT]  (RWED,RWED,RE,)\r\n\r\n"
     "Total of 3 files, 7/12 blocks.\r\n",
     {"A-VERY-LONG-FILE-NAME-INDEED.TXT;1 2048", "PUB <folder>", "README.TXT;2 1024"}, ""},
    {"mvs", "MVS is the operating system of this server. FTP Server is running on z/OS.",
     "Volume Unit    Referred Ext Used Recfm Lrecl BlkSz Dsorg Dsname\r\n"
     "WYOSPT 3420   2003/05/21  1  200  FB      80  8053  PS  PAYROLL.DATA\r\n"
     "WPTA01 3390   2004/03/04  1    3  FB      80  3125  PO  PAYROLL.SOURCE\r\n"
     "Migrated                                                OLD.PAYROLL\r\n",
     {"PAYROLL.DATA 0", "PAYROLL.SOURCE <folder>", "OLD.PAYROLL 0"}, ""},
    {"ibm-i", "OS/400 is the remote operating system.",
     "QSYS            77824 02/23/00 15:09:55 *DIR       QOpenSys/\r\n"
     "QDFTOWN          2011 09/17/01 16:13:56 *STMF      READ ME\r\n",
     {"QOpenSys <folder>", "READ ME 2011"}, ""},
    {"iis", "Windows_NT",
     "04-27-2000  12:09PM       <DIR>          Program Files\r\n"
     "2002-09-02  19:06                9,730 report.doc\r\n",
     {"Program Files <folder>", "report.doc 9730"}, ""},
    {"unix-de", "UNIX Type: L8",
     "insgesamt 12\r\n"
     "-rw-r--r--   1 anna  gruppe   2235 26. Juli 20:10 Bericht.txt\r\n"
     "drwxr-xr-x   2 anna  gruppe   4096  2. Okt.  2003 Archiv\r\n"
     "-rw-r--r--   1 anna  gruppe  -1294967296 1. Okt. 2003 riesig.iso\r\n",
     {"Bericht.txt 2235", "Archiv <folder>", "riesig.iso 0"}, ""},
    {"bare-names", "UNIX Type: L8", "readme.txt\r\nmy photos\r\n", {"readme.txt 0", "my photos 0"}, ""},
    {"junk", "UNIX Type: L8",
     "-rw-r--r--   1 0 0 12 Jan 01 12:00 good.txt\r\n"
     "??? \x01\x1b[31mnot a listing line\r\n"
     "also not one\r\n",
     {"good.txt 12"}, "2 lines of the listing could not be read; the first: \"??? \\x01\\x1B[31mnot a listing line\""},
};

class ListingServerTest : public testing::TestWithParam<ServerCase> {};

TEST_P(ListingServerTest, FinderShowsEveryEntryAndLogsWhatItCouldNotRead)
{
    const ServerCase& server = GetParam();
    ListingServer listingServer(server.listing, server.syst);
    RecordingSession session;
    ConnectionPtr connection(session.GetFtpConnection("127.0.0.1", "user", "password", listingServer.Port(), true));

    std::vector<std::string> shown;
    CFtpFileFind finder(connection.get());
    if (finder.FindFile("*")) {
        for (bool more = true; more;) {
            more = finder.FindNextFile();
            if (!finder.IsDots())
                shown.push_back(Shown(finder));
        }
    }
    finder.Close();
    EXPECT_THAT(shown, testing::UnorderedElementsAreArray(server.shown));

    std::vector<std::string> logged;
    for (const StatusNotification& notification : session.Notifications())
        if (notification.status == INTERNET_STATUS_LISTING_LINES_SKIPPED)
            logged.push_back(notification.info);
    if (server.logged.empty())
        EXPECT_THAT(logged, testing::IsEmpty());
    else
        EXPECT_THAT(logged, testing::ElementsAre(server.logged));
}

INSTANTIATE_TEST_SUITE_P(Families, ListingServerTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ServerCase>& info) {
                             std::string name = info.param.family;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

}  // namespace
