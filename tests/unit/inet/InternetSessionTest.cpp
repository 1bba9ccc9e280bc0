#include "platform/inet/InternetSession.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CountingSession : public CInternetSession {
public:
    CountingSession() : CInternetSession(nullptr, 11) {}
    void OnStatusCallback(DWORD_PTR context, std::uint32_t status, const void*, std::uint32_t) override
    {
        seen.push_back({context, status});
    }
    std::vector<std::pair<DWORD_PTR, std::uint32_t>> seen;
};

}  // namespace

TEST(InternetSessionTest, DeliversNotificationsOnlyWhileEnabled)
{
    CountingSession session;
    session.NotifyStatus(11, INTERNET_STATUS_HANDLE_CREATED, nullptr, 0);
    EXPECT_TRUE(session.seen.empty());
    EXPECT_TRUE(session.EnableStatusCallback(true));
    session.NotifyStatus(1, INTERNET_STATUS_HANDLE_CLOSING, nullptr, 0);
    ASSERT_EQ(session.seen.size(), 1u);
    EXPECT_EQ(session.seen[0].first, 1u);
    EXPECT_EQ(session.seen[0].second, INTERNET_STATUS_HANDLE_CLOSING);
    session.EnableStatusCallback(false);
    session.NotifyStatus(11, INTERNET_STATUS_HANDLE_CREATED, nullptr, 0);
    EXPECT_EQ(session.seen.size(), 1u);
}

TEST(InternetSessionTest, TimeoutDefaultsToThirtySeconds)
{
    CInternetSession session;
    EXPECT_EQ(session.GetTimeout(), std::chrono::seconds(30));
    session.SetTimeout(std::chrono::milliseconds(1500));
    EXPECT_EQ(session.GetTimeout(), std::chrono::milliseconds(1500));
    EXPECT_EQ(session.GetContext(), 1u);
}
