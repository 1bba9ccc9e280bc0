// Saving the profiles and settings: one write of the file per save, nothing written when nothing
// changed, a failure told with the file and the reason, and two instances that keep each
// other's profiles.

#include "ProfileFixture.h"

#include "platform/registry/RegistryBatch.h"
#include "platform/ui/MessageBox.h"
#include "profiles/ProfileText.h"
#include "unit/registry/ProcessBounds.h"

#include <filesystem>
#include <wx/defs.h>
#include <sys/inotify.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

// Counts the times a file of the folder is replaced (the store writes by renaming).
class ReplacementCounter {
public:
    explicit ReplacementCounter(const fs::path& folder) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        EXPECT_GE(::inotify_add_watch(m_fd, folder.c_str(), IN_MOVED_TO), 0);
    }
    ~ReplacementCounter() { ::close(m_fd); }
    ReplacementCounter(const ReplacementCounter&) = delete;
    ReplacementCounter& operator=(const ReplacementCounter&) = delete;

    // The replacements since the last call.
    int Take()
    {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t got; (got = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                count += (event->mask & IN_MOVED_TO) != 0;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return count;
    }

private:
    int m_fd;
};

TEST_F(ProfileRunTest, EverySaveIsOneWriteAndAnUnchangedSaveNone)
{
    auto state = StartRun();
    ReplacementCounter writes(m_dir.Path());
    for (int i = 0; i < 30; ++i)
        state->profiles["Host " + std::to_string(i)] = MakeProfile("Host " + std::to_string(i));
    state->profileStore.SetModified(1);
    ASSERT_EQ(SaveProfiles(*state), ERROR_SUCCESS);
    EXPECT_EQ(writes.Take(), 1);

    // Saved when a dialog closes with OK and again at exit: the second writes nothing.
    ASSERT_EQ(SaveProfiles(*state), ERROR_SUCCESS);
    EXPECT_EQ(writes.Take(), 0);

    state->email = "user@example.org";
    ASSERT_EQ(SaveProfiles(*state), ERROR_SUCCESS);
    EXPECT_EQ(writes.Take(), 1);

    auto again = StartRun();
    EXPECT_EQ(again->email, "user@example.org");
    ASSERT_EQ(again->profiles.size(), 31u);
    EXPECT_EQ(StoredValue(kProfileKey, "Host 7"), Bytes(FormatProfileText(*MakeProfile("Host 7"))));
}

TEST_F(ProfileRunTest, FailedSaveNamesFileAndReasonAndTheNextSaveLosesNothing)
{
    ScopedAlarm bound(60);
    const fs::path folder = m_dir.Path() / "settings";
    const std::string file = (folder / "registry.reg").string();
    ScopedEnv env("FERRIX_REGISTRY", file);
    auto state = StartRun();
    state->profiles.clear();
    state->profiles["Old"] = MakeProfile("Old");
    state->profileStore.SetModified(1);
    ASSERT_EQ(SaveProfiles(*state), ERROR_SUCCESS);
    const std::string saved = [&] {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }();

    // The folder is made read-only for the instance that saves; root, who may write anyway,
    // runs that instance as an unprivileged user.
    const bool root = ::getuid() == 0;
    fs::permissions(m_dir.Path(), fs::perms(0755));
    fs::permissions(folder, fs::perms(0555));
    if (root) {
        ASSERT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
    }
    int messages[2];
    ASSERT_EQ(::pipe(messages), 0);
    Signal failed;
    Signal writable;
    const pid_t instance = StartSecondInstance([&] {
        if (root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            return 1;
        auto own = StartRun();
        own->profiles.erase("Old");
        own->profiles["New"] = MakeProfile("New");
        own->profileStore.SetModified(1);
        std::string told;
        {
            ScopedMessageBoxAnswerer answer([&](const std::string& text, long) {
                told += text;
                return wxOK;
            });
            if (SaveProfilesOrTell(*own))
                return 2;
        }
        if (::write(messages[1], told.data(), told.size()) != static_cast<ssize_t>(told.size()))
            return 3;
        ::close(messages[1]);
        failed.Raise();
        writable.Wait();
        return SaveProfiles(*own) == ERROR_SUCCESS ? 0 : 4;
    });
    ::close(messages[1]);
    ASSERT_TRUE(failed.Wait());
    std::string told(1024, '\0');
    told.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(messages[0], told.data(), told.size()))));
    ::close(messages[0]);
    EXPECT_NE(told.find(file), std::string::npos) << told;
    EXPECT_NE(told.find(std::generic_category().message(EACCES)), std::string::npos) << told;
    // Nothing was left behind: the file as it was, no empty or temporary file beside it.
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(folder))
        entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{"registry.reg"});
    EXPECT_EQ(fs::file_size(file), saved.size());

    fs::permissions(folder, root ? fs::perms(0777) : fs::perms(0700));
    writable.Raise();
    EXPECT_EQ(WaitForInstance(instance), 0);
    fs::permissions(folder, fs::perms(0700));
    fs::permissions(m_dir.Path(), fs::perms(0700));
    // The profile deleted in the failed save is gone after the next one.
    EXPECT_EQ(StoredNames(kProfileKey), std::vector<std::string>{"New"});
}

TEST_F(ProfileRunTest, TwoInstancesKeepEachOthersProfiles)
{
    ScopedAlarm bound(60);
    auto first = StartRun();
    first->profiles.clear();
    first->profiles["Shared"] = MakeProfile("Shared");
    first->profileStore.SetModified(1);
    ASSERT_EQ(SaveProfiles(*first), ERROR_SUCCESS);

    // A second window, started now, adds a profile and exits.
    const pid_t second = StartSecondInstance([] {
        auto own = StartRun();
        own->profiles["Theirs"] = MakeProfile("Theirs");
        own->profileStore.SetModified(1);
        return SaveProfiles(*own) == ERROR_SUCCESS ? 0 : 1;
    });
    ASSERT_EQ(WaitForInstance(second), 0);

    first->profiles["Mine"] = MakeProfile("Mine");
    first->profileStore.SetModified(1);
    ASSERT_EQ(SaveProfiles(*first), ERROR_SUCCESS);
    std::vector<std::string> stored = StoredNames(kProfileKey);
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<std::string>{"Mine", "Shared", "Theirs"}));
}

} // namespace
