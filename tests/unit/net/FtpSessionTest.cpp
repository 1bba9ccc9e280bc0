// The session's status notifications: each becomes a line of the session log, with the
// information of the address steps on a line before it, and the text goes to the display
// unless the program is shutting down.

#include "net/FtpSession.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class FtpSessionTest : public testing::Test {
protected:
    FtpSessionTest() : session(CFtpSession::kRegionContextBase + 1)
    {
        SessionLog().clear();
        SetStatusDisplay([this](const std::string& text) { shown.push_back(text); });
        session.EnableStatusCallback(true);
    }
    ~FtpSessionTest() override
    {
        SetStatusDisplay({});
        SessionLog().clear();
        g_bShuttingDown = false;
    }

    void Notify(std::uint32_t status, const char* information = nullptr)
    {
        session.NotifyStatus(session.GetContext(), status, information,
                             information ? static_cast<std::uint32_t>(std::strlen(information)) : 0);
    }

    CFtpSession session;
    std::vector<std::string> shown;
};

TEST_F(FtpSessionTest, IsMadeAsTheRegionsSession)
{
    EXPECT_EQ(session.GetContext(), 11u);
    EXPECT_EQ(session.GetFlags(), INTERNET_FLAG_DONT_CACHE);
}

TEST_F(FtpSessionTest, EachCodeWritesItsTextAndTheAddressStepsTheirInformationFirst)
{
    struct Case {
        std::uint32_t status;
        const char* information;
        std::string logged;
    };
    const std::vector<Case> cases = {
        {INTERNET_STATUS_RESOLVING_NAME, "ftp.example.org", "ftp.example.org\r\nLooking up the IP address\r\n"},
        {INTERNET_STATUS_NAME_RESOLVED, "192.0.2.7", "192.0.2.7\r\nSuccessfully found the IP address\r\n"},
        {INTERNET_STATUS_CONNECTING_TO_SERVER, "192.0.2.7:21", "192.0.2.7:21\r\nConnecting to the socket address\r\n"},
        {INTERNET_STATUS_CONNECTED_TO_SERVER, "[::1]:2121", "[::1]:2121\r\nSuccessfully connected to the socket address\r\n"},
        {INTERNET_STATUS_SENDING_REQUEST, nullptr, "Sending the information request to the server\r\n"},
        {INTERNET_STATUS_REQUEST_SENT, "\x06\0\0\0", "Successfully sent the information request to the server\r\n"},
        {INTERNET_STATUS_RECEIVING_RESPONSE, nullptr, "Waiting for the server to respond to a request\r\n"},
        {INTERNET_STATUS_RESPONSE_RECEIVED, nullptr, "Successfully received a response from the server\r\n"},
        {INTERNET_STATUS_CLOSING_CONNECTION, nullptr, "Closing the connection to the server\r\n"},
        {INTERNET_STATUS_CONNECTION_CLOSED, nullptr, "Successfully closed the connection to the server\r\n"},
        {INTERNET_STATUS_HANDLE_CREATED, nullptr, "A new handle has been created\r\n"},
        {INTERNET_STATUS_HANDLE_CLOSING, nullptr, "Successfully terminated this handle value\r\n"},
        {INTERNET_STATUS_REQUEST_COMPLETE, nullptr, "Successfully completed the asynchronous operation\r\n"},
        {12345, "ignored", "\r\n"},
        {0, nullptr, "\r\n"},
    };
    std::string expected;
    for (const Case& c : cases) {
        Notify(c.status, c.information);
        expected += c.logged;
        EXPECT_EQ(shown.back(), StatusText(c.status)) << c.status;
    }
    EXPECT_EQ(SessionLog(), expected);
    EXPECT_EQ(shown.size(), cases.size());
}

TEST_F(FtpSessionTest, InformationIsTakenForExactlyItsLength)
{
    const char information[] = "host.example.org-and-more";
    session.NotifyStatus(session.GetContext(), INTERNET_STATUS_RESOLVING_NAME, information, 16);
    EXPECT_EQ(SessionLog(), "host.example.org\r\nLooking up the IP address\r\n");
}

TEST_F(FtpSessionTest, ShuttingDownLogsButShowsNothing)
{
    g_bShuttingDown = true;
    Notify(INTERNET_STATUS_CLOSING_CONNECTION);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(SessionLog(), "Closing the connection to the server\r\n");
}

TEST_F(FtpSessionTest, NothingArrivesOnceTheSessionIsClosed)
{
    session.Close();
    Notify(INTERNET_STATUS_CLOSING_CONNECTION);
    EXPECT_EQ(SessionLog(), "");
}

} // namespace

TEST_F(FtpSessionTest, ListingNoticeIsLoggedAndShownAsItsOwnText)
{
    const char* notice = "2 lines of the listing could not be read; the first: \"junk\"";
    Notify(INTERNET_STATUS_LISTING_LINES_SKIPPED, notice);
    EXPECT_EQ(SessionLog(), std::string(notice) + "\r\n");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.back(), notice);
}
