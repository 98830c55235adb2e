// GnuTLS comes into the process only as a dependency of libcurl's own dependencies (LDAP,
// RTMP), which this client never uses, yet its library constructor sets up its whole global
// state: about 0.7 MB of resident memory for the life of the window. An executable that links
// GnutlsInitSkip.cpp tells the constructor to skip that; the set-up then runs only in front
// of a library that really uses GnuTLS (libsmbclient, loaded for the router's share).
#pragma once

namespace fv {

class GnutlsDeferredInit {
  public:
    // Before loading a library that uses GnuTLS: its global set-up, once per process. Where
    // the constructor already did it, GnuTLS only counts one more user.
    static void initializeForUse();
};

}  // namespace fv
