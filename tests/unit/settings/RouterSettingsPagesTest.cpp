// The router's BitTorrent and NZB records shown in their setup pages (with the pages' own
// rules installed) and taken back from them.
#include "settings/RouterSettingsPages.h"

#include <gtest/gtest.h>

#include "settings/SetupFieldRules.h"

namespace fv {
namespace {

class Pages : public ::testing::Test {
  protected:
    void SetUp() override { rules.installWithInitialValues(); }
    FormState page;
    SetupFieldRules rules{page, SetupFormKind::SetupPages};
};

RouterBtSettings routerBt() {
    RouterBtSettings bt;
    bt.Peer_port = "6881";
    bt.Auth_type = "2";
    bt.Max_torrent_peer = "70";
    bt.Max_peer = "300";
    bt.Enable_dht = "0";
    bt.Down_limit = "1";
    bt.Down_rate = "500";
    bt.Up_limit = "0";
    bt.Up_rate = "50";
    bt.Enable_pex = "1";
    bt.Enable_peer_port = "1";
    return bt;
}

TEST_F(Pages, BitTorrentRecordFillsThePageRowByRow) {
    RouterSettingsPages::showBitTorrent(routerBt(), page);
    EXPECT_FALSE(page.checked("ChkBoxDefaultPort_Setup"));
    EXPECT_TRUE(page.enabled("EditInPort_Setup")) << "the box's rule ran";
    EXPECT_EQ(page.text("EditInPort_Setup"), "6881");
    EXPECT_FALSE(page.checked("ChkBoxBTDLSp_Setup"));
    EXPECT_TRUE(page.visible("EditBTMaxDL_Setup"));
    EXPECT_EQ(page.text("EditBTMaxDL_Setup"), "500");
    EXPECT_TRUE(page.checked("ChkBoxBTULSp_Setup"));
    EXPECT_FALSE(page.visible("EditBTMaxUL_Setup"));
    EXPECT_EQ(page.itemIndex("ComboBoxBTEncry_Setup"), 2);
    EXPECT_EQ(page.text("EditMaxPeer_Setup"), "70");
    EXPECT_EQ(page.text("EditMaxCon_Setup"), "300");
    EXPECT_FALSE(page.checked("ChkBoxDHT_Setup"));
    EXPECT_TRUE(page.checked("ChkBoxPEX_Setup"));
}

TEST_F(Pages, EncryptionOutsideItsChoicesSelectsEnable) {
    for (const char* value : {"7", "x", "", "-1"}) {
        RouterBtSettings bt = routerBt();
        bt.Auth_type = value;
        page.setItemIndex("ComboBoxBTEncry_Setup", 0);
        RouterSettingsPages::showBitTorrent(bt, page);
        EXPECT_EQ(page.itemIndex("ComboBoxBTEncry_Setup"), 1) << value;
    }
}

TEST_F(Pages, DefaultPortBoxFromTheRouter) {
    RouterBtSettings bt = routerBt();
    bt.Enable_peer_port = "0";
    RouterSettingsPages::showBitTorrent(bt, page);
    EXPECT_TRUE(page.checked("ChkBoxDefaultPort_Setup"));
    EXPECT_FALSE(page.enabled("EditInPort_Setup"));
}

struct NzbCase {
    const char* rate;
    const char* encryption;
    bool unlimited;
    const char* speedField;  // what the speed field shows afterwards
    bool ssl;
};

class NzbPage : public Pages, public ::testing::WithParamInterface<NzbCase> {};

TEST_P(NzbPage, RateAndEncryptionRules) {
    const NzbCase& c = GetParam();
    page.setText("EditNZBMaxDL_Setup", "42");
    RouterNzbSettings nzb;
    nzb.Host = "news.example.net";
    nzb.Port = "563";
    nzb.Username = "reader";
    nzb.Password = "s3cret";
    nzb.Connections = "8";
    nzb.DownloadRate = c.rate;
    nzb.Encryption = c.encryption;
    RouterSettingsPages::showNzb(nzb, page);
    EXPECT_EQ(page.checked("ChkBoxNZBDLSp_Setup"), c.unlimited);
    EXPECT_EQ(page.text("EditNZBMaxDL_Setup"), c.speedField);
    EXPECT_EQ(page.checked("ChkBoxNZBSSL_Setup"), c.ssl);
    EXPECT_EQ(page.text("EditUSENETPs_Setup"), "s3cret");
    EXPECT_EQ(page.text("EditUSENETConfPs_Setup"), "s3cret");
    EXPECT_EQ(page.text("EditNZBConNum_Setup"), "8");
}

INSTANTIATE_TEST_SUITE_P(Table, NzbPage,
                         ::testing::Values(NzbCase{"0", "no", true, "42", false},
                                           NzbCase{"250", "yes", false, "250", true},
                                           NzbCase{"250", "", false, "250", true}));

TEST_F(Pages, WhatThePageShowsGoesBackToTheRouterUnchanged) {
    const RouterBtSettings bt = routerBt();
    RouterSettingsPages::showBitTorrent(bt, page);
    const RouterBtSettings back = RouterSettingsPages::bitTorrentFrom(page);
    EXPECT_EQ(back.Peer_port, bt.Peer_port);
    EXPECT_EQ(back.bt_port_tmp, bt.Peer_port);
    EXPECT_EQ(back.Enable_peer_port, bt.Enable_peer_port);
    EXPECT_EQ(back.peer_port_change, bt.Enable_peer_port);
    EXPECT_EQ(back.Select_port, "0");
    EXPECT_EQ(back.Down_limit, bt.Down_limit);
    EXPECT_EQ(back.Down_rate, bt.Down_rate);
    EXPECT_EQ(back.Up_limit, bt.Up_limit);
    EXPECT_EQ(back.Auth_type, bt.Auth_type);
    EXPECT_EQ(back.Max_torrent_peer, bt.Max_torrent_peer);
    EXPECT_EQ(back.Max_peer, bt.Max_peer);
    EXPECT_EQ(back.Enable_dht, bt.Enable_dht);
    EXPECT_EQ(back.Enable_pex, bt.Enable_pex);

    page.setChecked("ChkBoxNZBDLSp_Setup", true);
    page.setChecked("ChkBoxNZBSSL_Setup", false);
    EXPECT_EQ(RouterSettingsPages::nzbFrom(page).DownloadRate, "0");
    EXPECT_EQ(RouterSettingsPages::nzbFrom(page).Encryption, "no");
    page.setChecked("ChkBoxNZBDLSp_Setup", false);
    page.setText("EditNZBMaxDL_Setup", "300");
    EXPECT_EQ(RouterSettingsPages::nzbFrom(page).DownloadRate, "300");
}

}  // namespace
}  // namespace fv
