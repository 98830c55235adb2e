// Where the client keeps its files. The original used the user's temporary folder; here it
// is a private per-user folder that survives reboots (mode 0700). FV_DATA_DIR moves it so
// tests and the demo never touch a person's real files.
#pragma once

#include <QString>

namespace fv {

class AppPaths {
  public:
    // The data folder, created on first use, always ending in "/" so that file paths are
    // formed by plain concatenation.
    static QString dataFolder();
    static QString taskFilePath();   // dataFolder() + "FVTask.xml"
    static QString setupFilePath();  // dataFolder() + "FVSetup.xml"
    // Empty when the data folder exists and takes files; otherwise why not, naming it.
    // Without it neither the queue nor the settings could be kept.
    static QString dataFolderProblem();

    // Folder of the program's own files (the language file, skin pictures): FV_RESOURCE_DIR,
    // else the executable's folder when it holds FV2Lang.ini, else the installed share folder.
    static QString resourceFolder();
};

}  // namespace fv
