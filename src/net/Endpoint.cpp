#include "net/Endpoint.h"

#include "net/FtpFileFindEx.h"
#include "platform/inet/FtpConnection.h"
#include "platform/localfs/CurrentDirectory.h"
#include "platform/localfs/FileFind.h"

std::unique_ptr<CFileFinder> MakeDirectoryFinder(Endpoint endpoint)
{
    if (endpoint)
        return std::make_unique<CFtpFileFindEx>(endpoint, kFinderContext);
    return std::make_unique<CFileFind>();
}

bool SetEndpointDirectory(Endpoint endpoint, const std::string& directory)
{
    if (endpoint)
        return endpoint->SetCurrentDirectory(directory);
    return localfs::SetCurrentDirectory(directory);
}
