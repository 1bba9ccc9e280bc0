// Servers that flood, stall with 1xx replies, send listings of any size or break off a listing:
// each ends in a clear failure (or, for a large but real listing, in every entry), bounded in
// time and, through RLIMIT_AS, in memory. A listing that failed never reads as an empty folder.

#include "ftp/support/AddressSpaceLimit.h"
#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/FtpFileFind.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"

#include <gmock/gmock.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

using testing::HasSubstr;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kTimeout = std::chrono::milliseconds(1000);
// Far below what each fault took before it was bounded (for ever, or until the rogue server
// ends itself after a minute), far above what it takes now even on a loaded machine.
constexpr auto kNoHangLimit = std::chrono::seconds(40);
// Room for a listing at the entry limit; an allocation in proportion to the bytes received,
// or a reply that grows without end, passes it.
constexpr std::size_t kMemoryBudget = 768u * 1024 * 1024;

enum class Action { Connect, List, Download };

const char* ActionName(Action action)
{
    switch (action) {
    case Action::Connect: return "connect";
    case Action::List: return "list";
    case Action::Download: return "get";
    }
    return "?";
}

struct Outcome {
    std::uint32_t code = 0;        // 0: the action succeeded
    std::string text;
    std::size_t entries = 0;       // List: how many the finder gave
    Clock::duration took{};
};

struct Case {
    const char* scenario;
    Action action;
    std::uint32_t code;            // expected; 0 for success
    const char* textPart = "";     // expected in the failure's text
    std::size_t entries = 0;       // List that succeeds: expected entries
};

std::size_t CountEntries(CFtpFileFind& finder)
{
    std::size_t count = 0;
    for (bool more = true; more; ++count)
        more = finder.FindNextFile();
    return count;
}

// Connects to the rogue server and carries out `action`, all under the memory cap; the
// failure is taken from where the program would see it (the finder's code for a listing).
Outcome RunAgainst(RecordingSession& session, RogueServer& rogue, Action action)
{
    Outcome outcome;
    AddressSpaceLimit limit(kMemoryBudget);
    const auto start = Clock::now();
    try {
        ConnectionPtr connection(
            session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword, rogue.Port(), true));
        if (action == Action::List) {
            CFtpFileFind finder(connection.get());
            if (finder.FindFile("*")) {
                outcome.entries = CountEntries(finder);
            } else {
                outcome.code = finder.GetLastErrorCode();
                outcome.text = finder.GetLastErrorText();
            }
        } else if (action == Action::Download) {
            std::unique_ptr<CInternetFile> file(connection->OpenFile("/file.bin"));
            char block[10240];
            while (file->Read(block, sizeof block) > 0) {
            }
            file->Close();
        }
    } catch (const CInternetException& error) {
        outcome.code = error.m_dwError;
        outcome.text = error.GetText();
    }
    outcome.took = Clock::now() - start;
    return outcome;
}

class HostileServerTest : public testing::Test {
protected:
    void SetUp() override { m_session.SetTimeout(kTimeout); }

    void Check(const std::vector<Case>& cases)
    {
        for (const Case& row : cases) {
            SCOPED_TRACE(std::string(row.scenario) + " " + ActionName(row.action));
            RogueServer rogue(row.scenario);
            const Outcome outcome = RunAgainst(m_session, rogue, row.action);
            EXPECT_EQ(outcome.code, row.code) << outcome.text;
            EXPECT_THAT(outcome.text, HasSubstr(row.textPart));
            EXPECT_EQ(outcome.entries, row.entries);
            EXPECT_LT(outcome.took, kNoHangLimit);
        }
    }

    RecordingSession m_session;
};

}  // namespace

TEST_F(HostileServerTest, StopsReplyFloods)
{
    Check({
        {"empty-line-flood", Action::Connect, ERROR_INTERNET_EXTENDED_ERROR, "reply too long"},
        // Unasked replies without end: the connection is given up rather than drained for
        // ever before the next command.
        {"stray-flood", Action::Connect, ERROR_INTERNET_EXTENDED_ERROR, "more replies than were asked for"},
    });
}

TEST_F(HostileServerTest, TimesOutPreliminaryReplyStorms)
{
    Check({
        {"greeting-120-storm", Action::Connect, ERROR_INTERNET_TIMEOUT},
        {"150-after-data", Action::List, ERROR_INTERNET_TIMEOUT},
        {"150-after-data", Action::Download, ERROR_INTERNET_TIMEOUT},
        {"150-instead-of-data", Action::List, ERROR_INTERNET_TIMEOUT},
        {"150-instead-of-data", Action::Download, ERROR_INTERNET_TIMEOUT},
    });
}

TEST_F(HostileServerTest, BoundsListingSizes)
{
    Check({
        {"listing-newlines", Action::List, ERROR_INTERNET_EXTENDED_ERROR, "too large"},
        {"mlsd-too-many", Action::List, ERROR_INTERNET_EXTENDED_ERROR, "too many entries"},
        {"mlsd-many", Action::List, 0, "", 100000},
    });
}

TEST_F(HostileServerTest, ReportsFailedListingsAsFailures)
{
    Check({
        {"list-421-mid", Action::List, ERROR_FTP_DROPPED, "421"},
        {"list-data-refused", Action::List, ERROR_INTERNET_CANNOT_CONNECT},
        {"list-450", Action::List, ERROR_INTERNET_EXTENDED_ERROR, "450"},
        {"list-451-after-data", Action::List, ERROR_INTERNET_EXTENDED_ERROR, "451"},
        // The one refusal that means an empty directory: listed, and nothing in it.
        {"list-no-files-found", Action::List, ERROR_NO_MORE_FILES},
    });
}

// A passive reply without a usable port is a failed passive reply: never a reason to show the
// server our address by switching to active mode on our own.
TEST_F(HostileServerTest, NeverFallsBackToActiveMode)
{
    RogueServer rogue("pasv-port-zero");
    const Outcome outcome = RunAgainst(m_session, rogue, Action::Download);
    EXPECT_EQ(outcome.code, ERROR_FTP_NO_PASSIVE_MODE) << outcome.text;
    EXPECT_EQ(rogue.CountCommands("PORT"), 0);
    EXPECT_EQ(rogue.CountCommands("EPRT"), 0);
    EXPECT_EQ(rogue.CountCommands("RETR"), 0);
}
