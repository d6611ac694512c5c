#pragma once
// The control identifiers shared by the installer's dialog templates (ui/resources/).

#define QSX_ID_NEXT 1001
#define QSX_ID_DECLINE_ALT 1002
#define QSX_ID_CANCEL 1003
#define QSX_ID_TEXT 1005
#define QSX_ID_PROGRESS_FRAME 1007
#define QSX_ID_HEADING 1009
#define QSX_ID_STATUS 1011
#define QSX_ID_BROWSE 1013
#define QSX_ID_DIRECTORY 1015
#define QSX_ID_LANGUAGES 1017
