#pragma once
// Codes and flags of the internet client library, with the platform's numeric values, so the
// rest of the program reads them as it would on Windows.

#include "platform/FileFinder.h"   // ERROR_NO_MORE_FILES

#include <cstdint>

using DWORD_PTR = std::uintptr_t;

// The platform's code for an allocation that failed.
constexpr std::uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;

// Error codes carried by CInternetException.
constexpr std::uint32_t ERROR_INTERNET_OUT_OF_HANDLES = 12001;
constexpr std::uint32_t ERROR_INTERNET_TIMEOUT = 12002;
constexpr std::uint32_t ERROR_INTERNET_EXTENDED_ERROR = 12003;   // text: the server's reply
constexpr std::uint32_t ERROR_INTERNET_INTERNAL_ERROR = 12004;
constexpr std::uint32_t ERROR_INTERNET_INVALID_URL = 12005;
constexpr std::uint32_t ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr std::uint32_t ERROR_INTERNET_INCORRECT_PASSWORD = 12014;
constexpr std::uint32_t ERROR_INTERNET_LOGIN_FAILURE = 12015;
constexpr std::uint32_t ERROR_INTERNET_INVALID_OPERATION = 12016;
constexpr std::uint32_t ERROR_INTERNET_OPERATION_CANCELLED = 12017;
constexpr std::uint32_t ERROR_INTERNET_INCORRECT_HANDLE_STATE = 12019;
constexpr std::uint32_t ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr std::uint32_t ERROR_INTERNET_CONNECTION_ABORTED = 12030;
constexpr std::uint32_t ERROR_INTERNET_CONNECTION_RESET = 12031;
// The server's certificate was not accepted (text: why, and the certificate's details).
constexpr std::uint32_t ERROR_INTERNET_SEC_CERT_ERRORS = 12055;
// No encrypted connection: refused by the server, or the TLS handshake or a record failed.
constexpr std::uint32_t ERROR_INTERNET_SECURITY_CHANNEL_ERROR = 12157;
constexpr std::uint32_t ERROR_INTERNET_INVALID_PARAMETER = 12009;
constexpr std::uint32_t ERROR_FTP_TRANSFER_IN_PROGRESS = 12110;
constexpr std::uint32_t ERROR_FTP_DROPPED = 12111;
constexpr std::uint32_t ERROR_FTP_NO_PASSIVE_MODE = 12112;

// Status codes passed to CInternetSession::OnStatusCallback.
constexpr std::uint32_t INTERNET_STATUS_RESOLVING_NAME = 10;
constexpr std::uint32_t INTERNET_STATUS_NAME_RESOLVED = 11;
constexpr std::uint32_t INTERNET_STATUS_CONNECTING_TO_SERVER = 20;
constexpr std::uint32_t INTERNET_STATUS_CONNECTED_TO_SERVER = 21;
constexpr std::uint32_t INTERNET_STATUS_SENDING_REQUEST = 30;
constexpr std::uint32_t INTERNET_STATUS_REQUEST_SENT = 31;
constexpr std::uint32_t INTERNET_STATUS_RECEIVING_RESPONSE = 40;
constexpr std::uint32_t INTERNET_STATUS_RESPONSE_RECEIVED = 41;
constexpr std::uint32_t INTERNET_STATUS_CLOSING_CONNECTION = 50;
constexpr std::uint32_t INTERNET_STATUS_CONNECTION_CLOSED = 51;
constexpr std::uint32_t INTERNET_STATUS_HANDLE_CREATED = 60;
constexpr std::uint32_t INTERNET_STATUS_HANDLE_CLOSING = 70;
constexpr std::uint32_t INTERNET_STATUS_REQUEST_COMPLETE = 100;
// The program's own: a listing held lines that could not be read. The information is a line
// of text for the session log, saying how many and quoting the first.
constexpr std::uint32_t INTERNET_STATUS_LISTING_LINES_SKIPPED = 1000;
// The program's own: a file transfer lost its connection and continues over a new one. The
// information is a line of text for the session log: where it stopped, where it resumes, and
// which attempt this is.
constexpr std::uint32_t INTERNET_STATUS_TRANSFER_RESUMED = 1001;

// Session and request flags.
constexpr std::uint32_t INTERNET_OPEN_TYPE_PRECONFIG = 0;
constexpr std::uint32_t INTERNET_FLAG_RELOAD = 0x80000000u;
constexpr std::uint32_t INTERNET_FLAG_DONT_CACHE = 0x04000000u;
constexpr std::uint32_t INTERNET_FLAG_PASSIVE = 0x08000000u;
constexpr std::uint16_t INTERNET_DEFAULT_FTP_PORT = 21;

// OpenFile access and transfer types.
constexpr std::uint32_t GENERIC_READ = 0x80000000u;
constexpr std::uint32_t GENERIC_WRITE = 0x40000000u;
constexpr std::uint32_t FTP_TRANSFER_TYPE_ASCII = 0x1;
constexpr std::uint32_t FTP_TRANSFER_TYPE_BINARY = 0x2;
