#pragma once
// Control identifiers of the Connect dialog and of the profile and option pages. Tests find
// the controls by them. Connect and Cancel are wxID_OK and wxID_CANCEL.

enum ProfileDialogId : int {
    IDC_ADD = 1001,
    IDC_EDIT = 1002,
    IDC_PROFILE_LIST = 1003,
    IDC_PROFILE_NAME = 1004,
    IDC_HOST = 1005,
    IDC_USER = 1006,
    IDC_PASSWORD = 1007,
    IDC_SAVE_PASSWORD = 1008,
    IDC_ANONYMOUS = 1009,
    IDC_DELETE = 1010,
    IDC_INITIAL_DIR = 1013,
    IDC_UPPER_REGION = 1017,
    IDC_LOWER_REGION = 1018,
    IDC_LOCAL_REMOTE = 1019,
    IDC_REMOTE_REMOTE = 1020,
    IDC_EMAIL = 1021,
    IDC_PORT = 1030,
    IDC_USE_DEFAULT_PORT = 1032,
    IDC_PASSIVE = 1033,
    IDC_FTP_BINARY = 1038,
    IDC_FTP_ASCII = 1039,
    IDC_REQUIRE_TLS = 1040,
    IDC_TLS_IF_AVAILABLE = 1041,
    IDC_PLAIN_FTP = 1042,
};
