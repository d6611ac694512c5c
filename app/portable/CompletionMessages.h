#pragma once
// Numbers of the language messages that the end of the installation shows.

enum CompletionMessage : int {
    kMsgFinishing = 36,          // status text of the last step
    kMsgShowLogQuestion = 40,    // %s: the path of Install.LOG
    kMsgShowLogCaption = 41,
    kMsgInstallationComplete = 42,
    kMsgCompletionCaption = 43,
};
