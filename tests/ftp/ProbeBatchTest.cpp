// ferrix-probe copying many files and whole trees in one run, over one connection.

#include "ftp/support/ChildProcess.h"
#include "ftp/support/ServerTest.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using testing::HasSubstr;

namespace fs = std::filesystem;

namespace {

std::string LocalText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

class ProbeBatchTest : public ServerTest {
protected:
    CommandResult Run(const std::vector<std::string>& command)
    {
        std::vector<std::string> arguments = {FERRIX_PROBE_PATH, "--timeout", "5"};
        if (!GetParam().passive)
            arguments.push_back("--active");
        arguments.push_back("ftp://" + Server().User() + ":" + Server().Password() + "@127.0.0.1:" +
                            std::to_string(Server().Port()));
        arguments.insert(arguments.end(), command.begin(), command.end());
        return RunCommand(arguments, {}, std::chrono::seconds(60));
    }

    TempDir m_local;
};

INSTANTIATE_TEST_SUITE_P(Servers, ProbeBatchTest, testing::ValuesIn(AllServerModes()), ServerModeName);

TEST_P(ProbeBatchTest, CopiesATreeBothWaysOnOneConnection)
{
    Server().WriteFile(Local("tree/a.txt"), "a");
    Server().WriteFile(Local("tree/sub dir/b ü.bin"), std::string(30000, 'b'));
    Server().WriteFile(Local("tree/sub dir/deeper/empty"), "");
    Server().MakeDir(Local("tree/nothing"));
    CommandResult got = Run({"get-tree", Remote("tree"), (m_local.Path() / "copy").string()});
    ASSERT_EQ(got.exitCode, 0) << got.err;
    EXPECT_EQ(LocalText(m_local.Path() / "copy/a.txt"), "a");
    EXPECT_EQ(LocalText(m_local.Path() / "copy/sub dir/b ü.bin"), std::string(30000, 'b'));
    EXPECT_TRUE(fs::exists(m_local.Path() / "copy/sub dir/deeper/empty"));
    EXPECT_TRUE(fs::is_directory(m_local.Path() / "copy/nothing"));
    EXPECT_THAT(got.out, HasSubstr("3 files copied, 30001 bytes"));

    CommandResult put = Run({"put-tree", (m_local.Path() / "copy").string(), Remote("back")});
    ASSERT_EQ(put.exitCode, 0) << put.err;
    EXPECT_EQ(Server().ReadFile(Local("back/sub dir/b ü.bin")), std::string(30000, 'b'));
    EXPECT_TRUE(Server().Exists(Local("back/nothing")));

    m_local.WriteFile("one", "1");
    m_local.WriteFile("two", "22");
    CommandResult mput = Run({"mput", Remote("back"), (m_local.Path() / "one").string(), (m_local.Path() / "two").string(),
                              (m_local.Path() / "missing").string()});
    EXPECT_EQ(mput.exitCode, 1);
    EXPECT_THAT(mput.out, HasSubstr("2 files copied, 3 bytes, 1 failed"));
    EXPECT_EQ(Server().ReadFile(Local("back/two")), "22");

    m_local.WriteFile("fetched/a.txt", "old");
    CommandResult mget = Run({"mget", (m_local.Path() / "fetched").string(), Remote("tree/a.txt"), Remote("back/two")});
    ASSERT_EQ(mget.exitCode, 0) << mget.err;
    EXPECT_EQ(LocalText(m_local.Path() / "fetched/a.txt"), "a");
    EXPECT_EQ(LocalText(m_local.Path() / "fetched/two"), "22");
}
