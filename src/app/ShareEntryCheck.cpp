#include "app/ShareEntryCheck.h"

#include "app/ShareTarget.h"

namespace fv {

ShareEntryCheck::ShareEntryCheck(Deps deps) : deps_(std::move(deps)) {
    if (!deps_.stat)
        deps_.stat = [](const QString& url, const SmbAccount& account) {
            return SmbShare::stat(url, account);
        };
}

ShareEntryKind ShareEntryCheck::kindOf(SmbEntry entry) {
    switch (entry) {
        case SmbEntry::File:
            return ShareEntryKind::File;
        case SmbEntry::Folder:
            return ShareEntryKind::Folder;
        default:
            return ShareEntryKind::Missing;
    }
}

void ShareEntryCheck::probe(const QString& fileName, Done done) {
    const QString folder = deps_.general->get().DownloadFolder;
    const QString url = ShareTarget::taskEntry(deps_.localHost(), folder, fileName);
    check(url, [done = std::move(done)](SmbEntry entry) {
        if (done)
            done(kindOf(entry));
    });
}

void ShareEntryCheck::check(const QString& url, std::function<void(SmbEntry)> done) {
    const ConnectionProfile conn = deps_.records->connection();
    const SmbAccount account{conn.UserName, conn.Password};
    auto result = std::make_shared<SmbEntry>(SmbEntry::Unreachable);
    deps_.runner->run([stat = deps_.stat, url, account, result] { *result = stat(url, account); },
                      [result, done = std::move(done)] {
                          if (done)
                              done(*result);
                      });
}

}  // namespace fv
