#pragma once
// Command identifiers of the menus, toolbar, context menu and accelerators.
//
// Each command keeps its resource number (ID_SERVER_CONNECT is command 32771). wxWidgets takes
// only identifiers below 32767 for menu items, so the window identifier of a command is its
// resource number less kResourceIdOffset; ResourceNumber() gives the number back.

constexpr int kResourceIdOffset = 30000;
constexpr int ResourceNumber(int commandId) { return commandId + kResourceIdOffset; }

enum CommandId : int {
    ID_SERVER_CONNECT = 32771 - kResourceIdOffset,
    ID_FILE_DELETE = 32772 - kResourceIdOffset,
    ID_FILE_RENAME = 32773 - kResourceIdOffset,
    ID_SERVER_OPTION = 32774 - kResourceIdOffset,
    ID_ARRANGE_BY_DATE = 32778 - kResourceIdOffset,
    ID_FILE_NEW_FOLDER = 32779 - kResourceIdOffset,
    ID_FILE_REFRESH_FOLDER = 32784 - kResourceIdOffset,
    ID_FILE_REFRESH_ALL = 32785 - kResourceIdOffset,
    ID_VIEW_SESSION_STATUS = 32791 - kResourceIdOffset,
    ID_FILE_EXPAND_ALL = 32792 - kResourceIdOffset,
    ID_ARRANGE_BY_TYPE = 32793 - kResourceIdOffset,
    ID_APP_ABOUT = 57664 - kResourceIdOffset,
    ID_APP_EXIT = 57665 - kResourceIdOffset,
    ID_HELP_FINDER = 57667 - kResourceIdOffset,
    ID_CONTEXT_HELP = 57669 - kResourceIdOffset,
    ID_HELP = 57670 - kResourceIdOffset,
    ID_NEXT_PANE = 57680 - kResourceIdOffset,
    ID_PREV_PANE = 57681 - kResourceIdOffset,
    ID_VIEW_TOOLBAR = 59392 - kResourceIdOffset,
    ID_VIEW_STATUS_BAR = 59393 - kResourceIdOffset,
    ID_ARRANGE_BY_NAME = 59413 - kResourceIdOffset,
};

// Resource numbers of the main window's menu, toolbar and icon.
constexpr int IDR_MAINFRAME = 128;
