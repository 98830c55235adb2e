// Runs the real fvctl program against a simulated router on loopback, with a scratch data
// folder holding a settings file that points at it.
#pragma once

#include <gtest/gtest.h>
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

#include "Simulator.h"
#include "TestEnvironment.h"
#include "upload/UploadQueueEntry.h"

namespace fv::test {

inline constexpr const char* kUser = "admin";
inline constexpr const char* kPassword = "s3cret!";

struct FvctlResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// A bencoded torrent; one file gives the single-file form, more the multi-file form.
std::string torrentBytes(const std::string& name, const std::vector<std::string>& files,
                         std::int64_t length = 1000);

class FvctlFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Switches refused connections on the service port and waits until the listener follows.
    void refuse(bool on);

    // Rewrites the settings file with this account.
    void writeSettings(const std::string& user, const std::string& password);

    // Starts fvctl (not waiting for it) with the test's environment.
    std::unique_ptr<QProcess> start(const QStringList& arguments) const;
    // That environment: the scratch data folder, the language, no debug log unless asked.
    QProcessEnvironment programEnvironment() const;
    FvctlResult run(const QStringList& arguments) const;
    static FvctlResult finish(QProcess& process);

    QString writeFile(const QString& name, const std::string& bytes) const;
    QString dataFile(const QString& name) const { return data_.file(name); }
    std::vector<UploadQueueEntry> queueEntries() const;
    // Requests to the control script, in arrival order.
    std::vector<std::string> controlTargets() const;

    std::unique_ptr<routersim::Simulator> sim;
    QString language = QStringLiteral("English");
    bool debugLog = false;  // FV_DEBUG_LOG for the programs started
    // More variables for the programs started (name, value).
    std::vector<std::pair<QString, QString>> environment;

  private:
    ScratchDir data_;
    ScratchDir files_;
};

}  // namespace fv::test
