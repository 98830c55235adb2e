// The connection record of a client pointed at an in-process simulated router.
#pragma once

#include <QString>

#include "Simulator.h"
#include "router/SettingsRecords.h"

namespace fv::test {

// Loopback address, the simulator's service port and its default account.
inline ConnectionProfile connectionTo(const routersim::Simulator& sim) {
    ConnectionProfile conn;
    conn.ServerAddress = "127.0.0.1";
    conn.ServerPort = QString::number(sim.port(routersim::Listener::Service));
    conn.UserName = "admin";
    conn.Password = "admin";
    return conn;
}

}  // namespace fv::test
