#include "platform/SmbShare.h"

#include <dlfcn.h>
#include <libsmbclient.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include "platform/DebugLog.h"
#include "platform/GnutlsDeferredInit.h"

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

// libsmbclient brings some seventy Samba libraries (over ten megabytes resident) into the
// process; it is loaded on the first look at the share, not at start, so a client that sits in
// the tray never carries it. Called with the library mutex held.
struct SmbLibrary {
    decltype(&smbc_new_context) newContext = nullptr;
    decltype(&smbc_free_context) freeContext = nullptr;
    decltype(&smbc_init_context) initContext = nullptr;
    decltype(&smbc_setDebug) setDebug = nullptr;
    decltype(&smbc_getOptionUserData) getUserData = nullptr;
    decltype(&smbc_setOptionUserData) setUserData = nullptr;
    decltype(&smbc_setFunctionAuthDataWithContext) setAuth = nullptr;
    decltype(&smbc_setOptionNoAutoAnonymousLogin) setNoAnonymous = nullptr;
    decltype(&smbc_setOptionUseKerberos) setKerberos = nullptr;
    decltype(&smbc_setOptionFallbackAfterKerberos) setFallback = nullptr;
    decltype(&smbc_setOptionUseCCache) setCCache = nullptr;
    decltype(&smbc_setTimeout) setTimeout = nullptr;
    decltype(&smbc_getFunctionStat) getStat = nullptr;

    bool loaded() const { return newContext != nullptr; }
};

template <class F>
bool resolve(void* handle, const char* name, F& into) {
    into = reinterpret_cast<F>(dlsym(handle, name));
    return into != nullptr;
}

const SmbLibrary& smbLibrary() {
    static SmbLibrary lib;
    static bool tried = false;
    if (tried)
        return lib;
    tried = true;
    GnutlsDeferredInit::initializeForUse();  // Samba hashes and signs with GnuTLS
    void* handle = dlopen("libsmbclient.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        DebugLog::write(std::string("SmbShare: libsmbclient cannot be loaded: ") + dlerror());
        return lib;
    }
    SmbLibrary found;
    const bool all = resolve(handle, "smbc_new_context", found.newContext) &&
                     resolve(handle, "smbc_free_context", found.freeContext) &&
                     resolve(handle, "smbc_init_context", found.initContext) &&
                     resolve(handle, "smbc_setDebug", found.setDebug) &&
                     resolve(handle, "smbc_getOptionUserData", found.getUserData) &&
                     resolve(handle, "smbc_setOptionUserData", found.setUserData) &&
                     resolve(handle, "smbc_setFunctionAuthDataWithContext", found.setAuth) &&
                     resolve(handle, "smbc_setOptionNoAutoAnonymousLogin", found.setNoAnonymous) &&
                     resolve(handle, "smbc_setOptionUseKerberos", found.setKerberos) &&
                     resolve(handle, "smbc_setOptionFallbackAfterKerberos", found.setFallback) &&
                     resolve(handle, "smbc_setOptionUseCCache", found.setCCache) &&
                     resolve(handle, "smbc_setTimeout", found.setTimeout) &&
                     resolve(handle, "smbc_getFunctionStat", found.getStat);
    if (!all) {
        DebugLog::write("SmbShare: libsmbclient lacks a function this client uses");
        return lib;
    }
    lib = found;  // the library stays loaded for the life of the process
    return lib;
}

// libsmbclient asks for the account per server and share; it always gets the connection's.
void giveAccount(SMBCCTX* ctx, const char*, const char*, char* workgroup, int workgroupLength,
                 char* user, int userLength, char* password, int passwordLength) {
    const auto* account = static_cast<const Credentials*>(smbLibrary().getUserData(ctx));
    if (!account)
        return;
    copyInto(std::string(), workgroup, workgroupLength);
    copyInto(account->user, user, userLength);
    copyInto(account->password, password, passwordLength);
}

struct ContextFree {
    void operator()(SMBCCTX* ctx) const { smbLibrary().freeContext(ctx, 1); }
};

}  // namespace

SmbEntry SmbShare::stat(const QString& url, const SmbAccount& account, int timeoutMs) {
    std::lock_guard lock(libraryMutex());
    const SmbLibrary& smb = smbLibrary();
    if (!smb.loaded())
        return SmbEntry::Unreachable;
    Credentials credentials{account.user.toStdString(), account.password.toStdString()};
    std::unique_ptr<SMBCCTX, ContextFree> ctx(smb.newContext());
    if (!ctx) {
        DebugLog::write("SmbShare::stat(): no libsmbclient context");
        return SmbEntry::Unreachable;
    }
    smb.setDebug(ctx.get(), 0);
    smb.setUserData(ctx.get(), &credentials);
    smb.setAuth(ctx.get(), giveAccount);
    // A refused account must stay refused, never become a guest session.
    smb.setNoAnonymous(ctx.get(), 1);
    smb.setKerberos(ctx.get(), 0);
    smb.setFallback(ctx.get(), 1);
    smb.setCCache(ctx.get(), 0);
    smb.setTimeout(ctx.get(), timeoutMs);
    if (!smb.initContext(ctx.get())) {
        DebugLog::write("SmbShare::stat(): libsmbclient did not start");
        return SmbEntry::Unreachable;
    }
    struct stat st {};
    const QByteArray target = url.toUtf8();
    errno = 0;
    const int rc = smb.getStat(ctx.get())(ctx.get(), target.constData(), &st);
    const int error = errno;
    smb.setUserData(ctx.get(), nullptr);
    if (rc < 0)
        return kindOfFailure(error);
    return S_ISDIR(st.st_mode) ? SmbEntry::Folder : SmbEntry::File;
}

}  // namespace fv
