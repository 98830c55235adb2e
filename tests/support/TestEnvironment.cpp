#include "TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <stdexcept>

namespace fv::test {

void isolateUserFolders() {
    static QTemporaryDir root(QDir::tempPath() + "/fv-test-XXXXXX");
    if (!root.isValid())
        throw std::runtime_error("cannot make a test folder");
    const QByteArray base = root.path().toUtf8();
    qputenv("FV_DATA_DIR", base + "/data");
    qputenv("XDG_CONFIG_HOME", base + "/config");
    qputenv("XDG_DATA_HOME", base + "/share");
    qputenv("HOME", base + "/home");
    qunsetenv("FV_LANGUAGE");
    qunsetenv("FV_DEBUG_LOG");
}

ScratchDir::ScratchDir() {
    QTemporaryDir dir(QDir::tempPath() + "/fv-scratch-XXXXXX");
    dir.setAutoRemove(false);
    path_ = dir.path();
}

ScratchDir::~ScratchDir() {
    QDir(path_).removeRecursively();
}

}  // namespace fv::test
