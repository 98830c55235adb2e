// What the router requests need besides their own arguments, passed in rather than reached
// through globals: the records, the HTTP transport, the probe results (service version and
// port) and, when windows exist, the setup forms that the login reads and reports to.
#pragma once

#include "platform/HttpClient.h"
#include "router/SettingsRecords.h"

namespace fv {

class ProbeResults;
class LoginForms;

struct RouterContext {
    explicit RouterContext(SettingsRecords& r, HttpTransport& t = defaultHttpTransport(),
                           ProbeResults* p = nullptr, LoginForms* f = nullptr)
        : records(&r), transport(&t), probe(p), forms(f) {}

    SettingsRecords* records;
    HttpTransport* transport;
    ProbeResults* probe;  // null: no version known (service level 0), no probed port
    LoginForms* forms;    // null: login reads the connection record and reports nowhere
};

}  // namespace fv
