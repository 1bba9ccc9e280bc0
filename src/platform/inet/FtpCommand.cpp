#include "platform/inet/FtpCommand.h"

#include "platform/inet/InternetException.h"

std::string FormatCommand(std::string_view verb, std::string_view argument)
{
    for (char c : verb) {
        if (!((c >= 'A' && c <= 'Z') || c == ' '))
            throw CInternetException(ERROR_INTERNET_INVALID_PARAMETER, "Invalid FTP command");
    }
    std::string command(verb);
    if (!argument.empty()) {
        command += ' ';
        for (char c : argument) {
            if (static_cast<unsigned char>(c) < 0x20)
                throw CInternetException(ERROR_INTERNET_INVALID_PARAMETER,
                                         "The name holds a control character and cannot be sent to the server");
            command += c;
            if (c == '\xff')
                command += c;
        }
    }
    command += "\r\n";
    return command;
}
