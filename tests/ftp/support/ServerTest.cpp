#include "ftp/support/ServerTest.h"

#include "ftp/support/PyftpdlibServer.h"
#include "ftp/support/VsftpdServer.h"

#include <map>
#include <stdexcept>

namespace {

struct ServerSlot {
    std::unique_ptr<FtpTestServer> server;
    std::string failure;   // why it could not start; kept so that every test reports it
};

ServerSlot& Slot(ServerKind kind)
{
    static std::map<ServerKind, ServerSlot> slots;
    return slots[kind];
}

} // namespace

std::vector<ServerMode> AllServerModes()
{
    return {{ServerKind::Vsftpd, true}, {ServerKind::Vsftpd, false},
            {ServerKind::Pyftpdlib, true}, {ServerKind::Pyftpdlib, false}};
}

std::string ServerModeName(const testing::TestParamInfo<ServerMode>& info)
{
    return std::string(info.param.kind == ServerKind::Vsftpd ? "vsftpd" : "pyftpdlib") +
           (info.param.passive ? "_passive" : "_active");
}

FtpTestServer& SharedServer(ServerKind kind)
{
    ServerSlot& slot = Slot(kind);
    if (!slot.server && slot.failure.empty()) {
        try {
            if (kind == ServerKind::Vsftpd)
                slot.server = std::make_unique<VsftpdServer>();
            else
                slot.server = std::make_unique<PyftpdlibServer>();
        } catch (const std::exception& error) {
            slot.failure = error.what();
        }
    }
    if (!slot.server)
        throw std::runtime_error(slot.failure);
    return *slot.server;
}

void ConnectionCloser::operator()(CFtpConnection* connection) const
{
    connection->Close();
    delete connection;
}

void ServerTest::SetUp()
{
    m_server = &SharedServer(GetParam().kind);
    m_session = std::make_unique<RecordingSession>();
    m_session->SetTimeout(kTestTimeout);
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    m_dir = "/" + name;
    m_server->MakeDir(name);
}

ConnectionPtr ServerTest::Connect(const std::string& user, const std::string& password)
{
    return ConnectionPtr(m_session->GetFtpConnection("127.0.0.1", user, password, m_server->Port(),
                                                     GetParam().passive));
}

CFtpConnection& ServerTest::Connection()
{
    if (!m_connection)
        m_connection = Connect(m_server->User(), m_server->Password());
    return *m_connection;
}
