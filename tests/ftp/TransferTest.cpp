// Reading and writing server files through CInternetFile in the program's block size, checked
// byte for byte against the server's disk.

#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"

#include <memory>
#include <random>

namespace {

constexpr std::uint32_t kBlock = 10240;   // the block size of the program's copy loop

std::string RandomBytes(std::size_t size)
{
    std::mt19937_64 random(20240101);
    std::string bytes(size, '\0');
    for (auto& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

std::string ReadAll(CFtpConnection& connection, const std::string& path, std::uint32_t type)
{
    std::unique_ptr<CInternetFile> file(connection.OpenFile(path, GENERIC_READ, type));
    std::string content;
    char block[kBlock];
    while (std::uint32_t got = file->Read(block, kBlock)) {
        EXPECT_LE(got, kBlock);
        content.append(block, got);
    }
    file->Close();
    return content;
}

void WriteAll(CFtpConnection& connection, const std::string& path, const std::string& content, std::uint32_t type)
{
    std::unique_ptr<CInternetFile> file(connection.OpenFile(path, GENERIC_WRITE, type));
    for (std::size_t at = 0; at < content.size(); at += kBlock)
        file->Write(content.data() + at, static_cast<std::uint32_t>(std::min<std::size_t>(kBlock, content.size() - at)));
    file->Close();
}

} // namespace

class TransferTest : public ServerTest {};

TEST_P(TransferTest, UploadsBinaryFileByteForByte)
{
    const std::string data = RandomBytes(5 * 1024 * 1024 + 17);
    WriteAll(Connection(), Remote("up.bin"), data, FTP_TRANSFER_TYPE_BINARY);
    EXPECT_TRUE(Server().ReadFile(Local("up.bin")) == data);
}

TEST_P(TransferTest, DownloadsBinaryFileByteForByte)
{
    const std::string data = RandomBytes(5 * 1024 * 1024 + 17);
    Server().WriteFile(Local("down.bin"), data);
    EXPECT_TRUE(ReadAll(Connection(), Remote("down.bin"), FTP_TRANSFER_TYPE_BINARY) == data);
}

TEST_P(TransferTest, TransfersEmptyFile)
{
    WriteAll(Connection(), Remote("empty.bin"), "", FTP_TRANSFER_TYPE_BINARY);
    EXPECT_EQ(Server().ReadFile(Local("empty.bin")), "");
    EXPECT_EQ(ReadAll(Connection(), Remote("empty.bin"), FTP_TRANSFER_TYPE_BINARY), "");
}

TEST_P(TransferTest, ReplacesExistingFileOnUpload)
{
    Server().WriteFile(Local("replace.txt"), "a much longer old content");
    WriteAll(Connection(), Remote("replace.txt"), "new", FTP_TRANSFER_TYPE_BINARY);
    EXPECT_EQ(Server().ReadFile(Local("replace.txt")), "new");
}

TEST_P(TransferTest, TransfersFileWithSpacesAndUnicodeInName)
{
    const std::string name = "Bericht März 2024 ✓.txt";
    WriteAll(Connection(), Remote(name), "text", FTP_TRANSFER_TYPE_BINARY);
    EXPECT_EQ(Server().ReadFile(Local(name)), "text");
    EXPECT_EQ(ReadAll(Connection(), Remote(name), FTP_TRANSFER_TYPE_BINARY), "text");
}

// Binary mode leaves line ends alone both ways.
TEST_P(TransferTest, KeepsLineEndsInBinaryMode)
{
    const std::string text = "dos\r\nunix\nmac\r";
    WriteAll(Connection(), Remote("raw.txt"), text, FTP_TRANSFER_TYPE_BINARY);
    EXPECT_EQ(Server().ReadFile(Local("raw.txt")), text);
    EXPECT_EQ(ReadAll(Connection(), Remote("raw.txt"), FTP_TRANSFER_TYPE_BINARY), text);
}

// Both servers store ASCII uploads with the local (LF) line ends, and send CR LF in ASCII
// downloads: a text comes back as it went.
TEST_P(TransferTest, KeepsTextThroughAsciiRoundTrip)
{
    const std::string text = std::string("first line\nsecond line\n") + std::string(30000, 'x') + "\nlast\n";
    WriteAll(Connection(), Remote("text.txt"), text, FTP_TRANSFER_TYPE_ASCII);
    EXPECT_EQ(Server().ReadFile(Local("text.txt")), text);
    EXPECT_EQ(ReadAll(Connection(), Remote("text.txt"), FTP_TRANSFER_TYPE_ASCII), text);
}

TEST_P(TransferTest, ReadsNothingMoreAfterEndOfFile)
{
    Server().WriteFile(Local("short.txt"), "abc");
    std::unique_ptr<CInternetFile> file(Connection().OpenFile(Remote("short.txt")));
    char buffer[64];
    std::string got;
    while (std::uint32_t n = file->Read(buffer, sizeof buffer))
        got.append(buffer, n);
    EXPECT_EQ(got, "abc");
    EXPECT_EQ(file->Read(buffer, sizeof buffer), 0u);
    file->Close();
}

TEST_P(TransferTest, FailsToOpenMissingFileForReading)
{
    try {
        std::unique_ptr<CInternetFile> file(Connection().OpenFile(Remote("missing.bin")));
        std::string content;
        char buffer[256];
        while (std::uint32_t n = file->Read(buffer, sizeof buffer))
            content.append(buffer, n);
        file->Close();
        FAIL() << "a missing file was read as " << content.size() << " bytes";
    } catch (const CInternetException& error) {
        EXPECT_EQ(error.m_dwError, ERROR_INTERNET_EXTENDED_ERROR);
        EXPECT_NE(error.GetText().find("550"), std::string::npos) << error.GetText();
    }
    // The connection is usable afterwards.
    std::string directory;
    EXPECT_TRUE(Connection().GetCurrentDirectory(directory));
}

TEST_P(TransferTest, RefusesFileNameWithLineBreakWithoutSendingIt)
{
    Server().WriteFile(Local("x"), "victim");
    EXPECT_THROW(std::unique_ptr<CInternetFile>(Connection().OpenFile(Remote("a\r\nDELE " + Remote("x")), GENERIC_WRITE)),
                 CInternetException);
    EXPECT_EQ(Server().ReadFile(Local("x")), "victim");
    EXPECT_FALSE(Server().Exists(Local("a")));
}

TEST_P(TransferTest, RefusesSecondFileWhileOneIsOpen)
{
    Server().WriteFile(Local("first.txt"), "1");
    std::unique_ptr<CInternetFile> first(Connection().OpenFile(Remote("first.txt")));
    try {
        std::unique_ptr<CInternetFile> second(Connection().OpenFile(Remote("first.txt")));
        ADD_FAILURE() << "a second file opened on a busy connection";
    } catch (const CInternetException& error) {
        EXPECT_EQ(error.m_dwError, ERROR_FTP_TRANSFER_IN_PROGRESS);
    }
    first->Close();
    EXPECT_EQ(ReadAll(Connection(), Remote("first.txt"), FTP_TRANSFER_TYPE_BINARY), "1");
}

INSTANTIATE_TEST_SUITE_P(Servers, TransferTest, testing::ValuesIn(AllServerModes()), ServerModeName);

// The wire form of ASCII transfers, seen by a server that keeps what it receives.
class AsciiWireTest : public testing::Test {
protected:
    AsciiWireTest() : m_rogue("normal")
    {
        m_session.SetTimeout(kTestTimeout);
        m_connection.reset(m_session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword,
                                                      m_rogue.Port(), true));
    }
    RogueServer m_rogue;
    RecordingSession m_session;
    ConnectionPtr m_connection;
};

TEST_F(AsciiWireTest, SendsCrLfLineEnds)
{
    WriteAll(*m_connection, "/up.txt", "one\ntwo\n", FTP_TRANSFER_TYPE_ASCII);
    EXPECT_EQ(m_rogue.StoredBytes(), "one\r\ntwo\r\n");
    EXPECT_GE(m_rogue.CountCommands("TYPE A"), 1);
}

TEST_F(AsciiWireTest, TurnsReceivedCrLfIntoLf)
{
    EXPECT_EQ(ReadAll(*m_connection, "/down.txt", FTP_TRANSFER_TYPE_ASCII), "line one\nline two\n");
}

TEST_F(AsciiWireTest, SendsBytesAsTheyAreInBinaryMode)
{
    WriteAll(*m_connection, "/up.bin", "one\ntwo\r\n", FTP_TRANSFER_TYPE_BINARY);
    EXPECT_EQ(m_rogue.StoredBytes(), "one\ntwo\r\n");
    EXPECT_GE(m_rogue.CountCommands("TYPE I"), 1);
}
