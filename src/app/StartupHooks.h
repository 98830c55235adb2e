// The steps of start-up and shut-down that belong to other capabilities (upload queue,
// settings file, drawing, languages, wizard). The main window's start-up logic calls them in
// a fixed order; each capability fills its part as it arrives.
#pragma once

#include <QString>

namespace fv {

class StartupHooks {
  public:
    virtual ~StartupHooks() = default;

    // Upload queue: load the task file, or start an empty queue document.
    virtual void initTaskFile(const QString& taskFilePath) = 0;
    virtual void saveTaskFile() = 0;
    virtual void closeTaskFile() = 0;
    // Opens the file for the torrent selection and queues it.
    virtual void addFileToQueue(const QString& path) = 0;

    // Settings file into the setup fields; called only when the file exists.
    virtual void loadSetupXml(const QString& setupFilePath) = 0;
    // The connection record from the stored connection, or from the start values (port
    // "8081", the factory account, 10 s refresh) when there is no file; always called.
    virtual void commitConnectionAtStart() = 0;

    // Skin pictures and window shape of the main window.
    virtual void prepareDrawing() = 0;

    // Language texts into every window; an empty or unknown name means English.
    virtual void applyLanguage(const QString& languageName) = 0;

    virtual void startSetupWizard() = 0;
};

}  // namespace fv
