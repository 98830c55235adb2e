#include "platform/SmbShare.h"

#include <libsmbclient.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include "platform/DebugLog.h"

namespace fv {
namespace {

struct Credentials {
    std::string user;
    std::string password;
};

void copyInto(const std::string& from, char* to, int size) {
    if (size <= 0)
        return;
    const size_t n = std::min(from.size(), static_cast<size_t>(size - 1));
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
}

// libsmbclient asks for the account per server and share; it always gets the connection's.
void giveAccount(SMBCCTX* ctx, const char*, const char*, char* workgroup, int workgroupLength,
                 char* user, int userLength, char* password, int passwordLength) {
    const auto* account = static_cast<const Credentials*>(smbc_getOptionUserData(ctx));
    if (!account)
        return;
    copyInto(std::string(), workgroup, workgroupLength);
    copyInto(account->user, user, userLength);
    copyInto(account->password, password, passwordLength);
}

SmbEntry kindOfFailure(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return SmbEntry::Missing;
        case EACCES:
        case EPERM:
            return SmbEntry::Denied;
        default:
            return SmbEntry::Unreachable;
    }
}

std::mutex& libraryMutex() {
    static std::mutex m;
    return m;
}

struct ContextFree {
    void operator()(SMBCCTX* ctx) const { smbc_free_context(ctx, 1); }
};

}  // namespace

SmbEntry SmbShare::stat(const QString& url, const SmbAccount& account, int timeoutMs) {
    std::lock_guard lock(libraryMutex());
    Credentials credentials{account.user.toStdString(), account.password.toStdString()};
    std::unique_ptr<SMBCCTX, ContextFree> ctx(smbc_new_context());
    if (!ctx) {
        DebugLog::write("SmbShare::stat(): no libsmbclient context");
        return SmbEntry::Unreachable;
    }
    smbc_setDebug(ctx.get(), 0);
    smbc_setOptionUserData(ctx.get(), &credentials);
    smbc_setFunctionAuthDataWithContext(ctx.get(), giveAccount);
    // A refused account must stay refused, never become a guest session.
    smbc_setOptionNoAutoAnonymousLogin(ctx.get(), 1);
    smbc_setOptionUseKerberos(ctx.get(), 0);
    smbc_setOptionFallbackAfterKerberos(ctx.get(), 1);
    smbc_setOptionUseCCache(ctx.get(), 0);
    smbc_setTimeout(ctx.get(), timeoutMs);
    if (!smbc_init_context(ctx.get())) {
        DebugLog::write("SmbShare::stat(): libsmbclient did not start");
        return SmbEntry::Unreachable;
    }
    struct stat st {};
    const QByteArray target = url.toUtf8();
    errno = 0;
    const int rc = smbc_getFunctionStat(ctx.get())(ctx.get(), target.constData(), &st);
    const int error = errno;
    smbc_setOptionUserData(ctx.get(), nullptr);
    if (rc < 0)
        return kindOfFailure(error);
    return S_ISDIR(st.st_mode) ? SmbEntry::Folder : SmbEntry::File;
}

}  // namespace fv
