// How the connection record is derived from a set of connection fields: the address by mode,
// the local address without its device name, and the refresh period.
#pragma once

#include "router/SetupControlNames.h"

#include <QString>
#include <cstdint>

namespace fv {

class FormState;
struct ConnectionSettings;
struct ConnectionProfile;

class ConnectionCommit {
  public:
    // The maker's dynamic-DNS domain, appended to the DDNS host name the user enters; one
    // value for the whole client (the login and the connection test append the same).
    static constexpr const char* kMakerDdnsSuffix = setup_names::DdnsDomainSuffix;

    // "192.168.1.1 (Router)" -> "192.168.1.1". The text is cut before its first "(" and the
    // blanks in front of it are dropped, so an entry without the blank keeps its whole
    // address; a text without "(" is taken whole.
    static QString localAddress(const QString& listText);

    // Seconds in the refresh field as milliseconds. A field without a whole number counts as
    // 10 seconds, the value its exit rule gives; so does 0, which would make the refresh
    // timer spin.
    static int32_t refreshIntervalMs(const QString& secondsText);

    // The address the requests go to: in remote mode the other address (choice 1) or the DDNS
    // name with the maker's suffix, in local mode the given local-list text cut as above.
    static QString serverAddress(const FormState& fields, const QString& localListText);
    static bool isRemote(const FormState& fields);

    // The record's mode, address, port, account and refresh period at program start: the
    // stand-alone window's initial values (local, port 8081, the factory account, 10 s) with
    // the stored values over them, settled as those fields' rules settle typed text. The
    // local address is the local-address list's text. Other members of c stay as they are.
    static void fillAtStart(ConnectionProfile& c, const ConnectionSettings& stored,
                            const QString& localListText);

  private:
    static QString serverAddress(bool remote, int choice, const QString& ddnsName,
                                 const QString& otherAddress, const QString& localListText);
};

}  // namespace fv
