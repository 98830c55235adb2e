// Program entry decision: the first start runs the client, a later start hands its argument
// to the running client, asks it to restore its window, and ends.
#pragma once

#include <QString>
#include <QStringList>

namespace fv {

class SingleInstance;

class ProgramEntry {
  public:
    struct Result {
        bool runClient = false;  // first instance: create the windows and run
        int exitCode = 0;        // second instance: the process's exit code
        QString message;         // second instance: what went wrong, for the user
    };

    // arguments: program name first. Only the first argument is read; no filter here, the
    // running instance offers whatever it is handed.
    static Result run(SingleInstance& instance, const QStringList& arguments);
};

}  // namespace fv
