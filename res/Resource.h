#pragma once
// Command identifiers of the menus, toolbar, context menu and accelerators.

enum CommandId : int {
    ID_SERVER_CONNECT = 32771,
    ID_FILE_DELETE = 32772,
    ID_FILE_RENAME = 32773,
    ID_SERVER_OPTION = 32774,
    ID_ARRANGE_BY_DATE = 32778,
    ID_FILE_NEW_FOLDER = 32779,
    ID_FILE_REFRESH_FOLDER = 32784,
    ID_FILE_REFRESH_ALL = 32785,
    ID_VIEW_SESSION_STATUS = 32791,
    ID_FILE_EXPAND_ALL = 32792,
    ID_ARRANGE_BY_TYPE = 32793,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_ARRANGE_BY_NAME = 59413,
};

// Resource numbers of the main window's menu, toolbar and icon.
constexpr int IDR_MAINFRAME = 128;
