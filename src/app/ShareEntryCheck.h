// The existence check on the router's file share, signed in with the connection account: for
// View's target and for the task menu's entries. The SMB look-up runs on the runner's worker;
// the answer comes back on the UI thread. The look-up is injectable for tests.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/TaskViewAction.h"
#include "platform/SmbShare.h"
#include "platform/TaskRunner.h"
#include "router/SettingsRecords.h"
#include "tasks/GeneralSettingsValues.h"

namespace fv {

class ShareEntryCheck final : public ShareLookup {
  public:
    using Stat = std::function<SmbEntry(const QString& url, const SmbAccount& account)>;
    struct Deps {
        SettingsRecords* records = nullptr;
        std::shared_ptr<GeneralSettingsValues> general;
        TaskRunner* runner = nullptr;
        std::function<QString()> localHost;
        Stat stat;  // SmbShare::stat unless replaced
    };

    explicit ShareEntryCheck(Deps deps);

    // The task menu's question: the finished task's entry in the download folder.
    void probe(const QString& fileName, Done done) override;
    // Any smb:// URL, with the account of the connection record as it is now.
    void check(const QString& url, std::function<void(SmbEntry)> done);

    // A refused account or an unreachable share leaves nothing to open: the entry is missing.
    static ShareEntryKind kindOf(SmbEntry entry);

  private:
    Deps deps_;
};

}  // namespace fv
