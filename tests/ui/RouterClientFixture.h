// The client as the program assembles it, with a data folder of its own, against a simulated
// router on loopback: where the main window's tests start from.
#pragma once

#include <QByteArray>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ClientSettingsFile.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "ui/main/RunningClient.h"

namespace fv::test {

class RouterClientFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        previousDataDir_ = qgetenv("FV_DATA_DIR");
        qputenv("FV_DATA_DIR", dir.path().toUtf8());
    }
    void TearDown() override {
        quit();
        sim.stop();
        qputenv("FV_DATA_DIR", previousDataDir_);
    }
    // A settings file for the simulator's service port and account.
    void writeSettings(int refreshSeconds) {
        routersim::ClientSettings s;
        s.servicePort = sim.port(routersim::Listener::Service);
        s.user = "admin";
        s.password = "admin";
        s.refreshSeconds = refreshSeconds;
        std::string error;
        ASSERT_TRUE(
            routersim::writeClientSettings(dir.file("FVSetup.xml").toStdString(), s, &error))
            << error;
    }
    // The program's own end: the layout and the queue are saved.
    void quit() {
        if (!client)
            return;
        client->finish();
        client.reset();
    }

    ScratchDir dir;
    routersim::Simulator sim;
    std::unique_ptr<ui::RunningClient> client;

  private:
    QByteArray previousDataDir_;
};

}  // namespace fv::test
