// "Auto Detection" of the setup pages and the wizard (`BtnDetect_SetupClick` and
// `TimerFVDetect_Main_SetupTimer`): a router search, 4000 ms later a walk of the
// discovered-router table that probes each router's application list and tests its service,
// fills the address and port fields for every router that passes and, while the wizard shows
// its account page, tests the account and gives a router on a public WAN address its DDNS
// name through the maker's utility library.
//
// Every probe, test and library call runs on the core's runner, one router after another, so
// the window keeps painting and the busy overlay keeps turning; the fields are written on the
// UI thread between the steps. UI thread only.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/ClientCore.h"
#include "discovery/DiscoveredRouter.h"
#include "pelutil/pelutil.h"

namespace fv {

// The library calls detection makes; the real library unless a test watches them.
struct DetectionCalls {
    std::function<int(PELHANDLE, const char*, int, uint8_t)> hostAddress = PELUtil_HostAddress;
    std::function<int(PELHANDLE, const char*, const char*)> authorization = PELUtil_Authorization;
    std::function<int(PELHANDLE, int)> track = PELUtil_HTTPTrack;
    std::function<int(PELHANDLE, uint32_t*)> wanAddress = [](PELHANDLE h, uint32_t* wan) {
        uint32_t mask = 0, gateway = 0, dns1 = 0, dns2 = 0;
        return PEL_RT_GetDetectWanIPConfig(h, wan, &mask, &gateway, &dns1, &dns2);
    };
    std::function<int(PELHANDLE, char*, size_t)> apiLevel = PEL_RT_GetDomiraAPILevelExt_s;
    std::function<int(PELHANDLE, uint8_t, const char*)> setDdnsService = PEL_RT_SetDDNSService;
    std::function<int(PELHANDLE, const char*)> setDdnsConfig = PEL_RT_SetDDNSConfig;
    std::function<int(PELHANDLE)> restartService = PEL_RT_RestartService;
};

class ServerDetection {
  public:
    struct Hooks {
        // `BtnTest_SetupClick`: the connection test, reporting on the wizard's account page.
        std::function<void()> connectionTest;
        // The detection ended (the busy overlay's running flag is cleared).
        std::function<void()> ended;
    };
    struct Options {
        DetectionCalls calls;
        // Runs then after ms without holding the UI thread; a single-shot timer by default.
        std::function<void(int ms, std::function<void()> then)> after;
        int testWaitMs = 1000;     // for the connection test's two routines
        int restartWaitMs = 2000;  // for the router's services after a DDNS change
    };

    ServerDetection(ClientCore& core, Hooks hooks);
    ServerDetection(ClientCore& core, Hooks hooks, Options options);
    ~ServerDetection();
    ServerDetection(const ServerDetection&) = delete;
    ServerDetection& operator=(const ServerDetection&) = delete;

    void start();
    bool running() const;
    // Whether the last walk found a router that passed.
    bool found() const;

  private:
    struct Walk;
    void onTimer();
    void walkRow(std::size_t index);
    void rowProbed(std::size_t index, const QString& port, bool passed);
    void fillFoundRouter(const DiscoveredRouter& row, const QString& port);
    void pageSteps(const DiscoveredRouter& row);
    void wizardSteps(std::size_t index);
    void afterConnectionTest(std::size_t index);
    void wanAddressRead(std::size_t index, const QString& wan);
    void ddnsSet(const QString& hostName);
    void knownDdnsName(const QString& name);
    void finish();
    void showWizardPageWithFinish(int page);
    void enableControls(bool on);
    bool wizardOnAccountPage() const;
    int wizardPage() const;

    ClientCore& core_;
    Hooks hooks_;
    Options options_;
    std::shared_ptr<Walk> walk_;
};

}  // namespace fv
