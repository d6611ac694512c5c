#pragma once
// Numbers of the language messages that the start of the installation shows.

enum SequenceMessage : int {
    kMsgWindowTitle = 0,
    kMsgWelcome = 1,
    kMsgReinstallCaption = 2,
    kMsgExistingFound = 3,        // no version comparison
    kMsgExistingSameVersion = 4,
    kMsgExistingOlder = 5,
    kMsgExistingNewer = 6,
    kMsgReinstallClosing = 7,
    kMsgAlreadyInstalled = 9,
    kMsgMasterMissing = 12,       // %s: the master's uninstall key name
    kMsgInvalidDirectory = 14,
    kMsgNoSuchDrive = 16,         // %c: the drive letter
    kMsgRootDirectory = 17,
    kMsgProgramFilesDirectory = 18, // %s: the Program Files folder
    kMsgDiskSpace = 19,           // %s needed, %c drive, %s free
    kMsgDiskSpaceCaption = 20,
    kMsgDirectoryExists = 22,     // %s: the directory
    kMsgDirectoryCreated = 23,    // %s: the directory
    kMsgDirectoryCaption = 24,
    kMsgDirectoryNotCreated = 25,
    kMsgExcludedSystem = 61,      // %s: the running system's description
    kMsgLicenceIntro = 63,
    kMsgReadmeIntro = 64,
    kMsgWelcomeCaption = 65,
    kMsgNetworkDirectory = 66,
};
