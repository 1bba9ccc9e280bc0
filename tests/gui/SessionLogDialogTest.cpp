// The "FTP Session Status" dialog on logs of every size: a short log is shown whole, a long one
// from its newest whole lines, with a line that says how much is left out.

#include "app/SessionStatusDlg.h"
#include "net/FtpSession.h"

#include "DialogDriving.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string NumberedLines(int count)
{
    std::string log;
    for (int i = 0; i < count; ++i)
        log += "line " + std::to_string(i) + " Waiting for the server to respond to a request\r\n";
    return log;
}

TEST(SessionLogDialogTest, ShownTextKeepsShortLogsWholeAndCutsLongOnesAtALine)
{
    struct Case {
        std::string log;
        std::size_t limit;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"", 10, ""},
        {"one\r\ntwo\r\n", 10, "one\r\ntwo\r\n"},
        {"one\r\ntwo\r\n", 5, "(5 bytes of older lines are not shown)\r\ntwo\r\n"},
        {"one\r\ntwo\r\n", 6, "(5 bytes of older lines are not shown)\r\ntwo\r\n"},
        {"one\r\ntwo\r\n", 4, "(10 bytes of older lines are not shown)\r\n"},
        {"one\r\ntwo\r\nthree\r\n", 9, "(10 bytes of older lines are not shown)\r\nthree\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShownLogText(c.log, c.limit), c.shown) << c.log << " / " << c.limit;
}

TEST(SessionLogDialogTest, ALogOfMegabytesShowsItsNewestLines)
{
    SessionLog() = NumberedLines(40000);
    ASSERT_GT(SessionLog().size(), CSessionStatusDlg::kShownLogBytes);
    CSessionStatusDlg dialog(nullptr);
    dialog.InitDialog();
    std::string shown = TextOf(&dialog, CSessionStatusDlg::IDC_LOG_TEXT);
    std::erase(shown, '\r');   // the text box may keep or drop the carriage returns
    const std::string last = "line 39999 Waiting for the server to respond to a request\n";
    EXPECT_EQ(shown.compare(shown.size() - last.size(), last.size(), last), 0);
    EXPECT_EQ(shown.find("line 0 "), std::string::npos);
    EXPECT_EQ(shown.rfind("(", 0), 0u);
    const std::size_t second = shown.find('\n') + 1;
    EXPECT_EQ(shown.compare(second, 5, "line "), 0) << "whole lines only";
    EXPECT_LE(shown.size(), CSessionStatusDlg::kShownLogBytes + 100);

    ClickButton(&dialog, CSessionStatusDlg::IDC_CLEAR);
    EXPECT_EQ(SessionLog(), "");
    EXPECT_EQ(TextOf(&dialog, CSessionStatusDlg::IDC_LOG_TEXT), "");
}

} // namespace
