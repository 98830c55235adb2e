// Keeps every test away from the real user's files and settings.
#pragma once

#include <QString>

namespace fv::test {

// Points the data folder, config folder and language override at a fresh private
// temporary folder for the whole test process.
void isolateUserFolders();

// A private folder that is removed when the object goes away.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const QString& path() const { return path_; }
    QString file(const QString& name) const { return path_ + "/" + name; }

  private:
    QString path_;
};

}  // namespace fv::test
