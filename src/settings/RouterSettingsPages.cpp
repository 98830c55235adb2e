#include "settings/RouterSettingsPages.h"

namespace fv {
namespace {

// The boxes the router reports as "0" for "off" or "unlimited".
bool isZero(const QString& value) {
    return value == QLatin1String("0");
}

QString zeroWhen(bool set) {
    return set ? QStringLiteral("0") : QStringLiteral("1");
}

QString oneWhen(bool set) {
    return set ? QStringLiteral("1") : QStringLiteral("0");
}

// A whole number 0 to 2 selects that entry; anything else "Encryption Enable".
int encryptionIndex(const QString& value) {
    bool ok = false;
    const int index = value.toInt(&ok);
    return ok && index >= 0 && index <= 2 ? index : 1;
}

}  // namespace

void RouterSettingsPages::showBitTorrent(const RouterBtSettings& bt, FormState& page) {
    page.setChecked("ChkBoxDefaultPort_Setup", isZero(bt.Enable_peer_port));
    page.setText("EditInPort_Setup", bt.Peer_port);
    page.setChecked("ChkBoxBTDLSp_Setup", isZero(bt.Down_limit));
    page.setText("EditBTMaxDL_Setup", bt.Down_rate);
    page.setChecked("ChkBoxBTULSp_Setup", isZero(bt.Up_limit));
    page.setText("EditBTMaxUL_Setup", bt.Up_rate);
    page.setItemIndex("ComboBoxBTEncry_Setup", encryptionIndex(bt.Auth_type));
    page.setText("EditMaxPeer_Setup", bt.Max_torrent_peer);
    page.setText("EditMaxCon_Setup", bt.Max_peer);
    page.setChecked("ChkBoxDHT_Setup", bt.Enable_dht == QLatin1String("1"));
    page.setChecked("ChkBoxPEX_Setup", bt.Enable_pex == QLatin1String("1"));
}

void RouterSettingsPages::showNzb(const RouterNzbSettings& nzb, FormState& page) {
    page.setText("EditUSENETServer_Setup", nzb.Host);
    page.setText("EditUSENETPort_Setup", nzb.Port);
    page.setText("EditUSENETUs_Setup", nzb.Username);
    page.setText("EditUSENETPs_Setup", nzb.Password);
    page.setText("EditUSENETConfPs_Setup", nzb.Password);
    // "0" means unlimited and leaves the speed field as it was.
    if (isZero(nzb.DownloadRate)) {
        page.setChecked("ChkBoxNZBDLSp_Setup", true);
    } else {
        page.setChecked("ChkBoxNZBDLSp_Setup", false);
        page.setText("EditNZBMaxDL_Setup", nzb.DownloadRate);
    }
    page.setText("EditNZBConNum_Setup", nzb.Connections);
    page.setChecked("ChkBoxNZBSSL_Setup", nzb.Encryption != QLatin1String("no"));
}

RouterBtSettings RouterSettingsPages::bitTorrentFrom(const FormState& page) {
    RouterBtSettings bt;
    bt.Enable_peer_port = zeroWhen(page.checked("ChkBoxDefaultPort_Setup"));
    bt.peer_port_change = bt.Enable_peer_port;
    bt.bt_port_tmp = page.text("EditInPort_Setup");
    bt.Peer_port = bt.bt_port_tmp;
    bt.Select_port = QStringLiteral("0");
    bt.Down_limit = zeroWhen(page.checked("ChkBoxBTDLSp_Setup"));
    bt.Down_rate = page.text("EditBTMaxDL_Setup");
    bt.Up_limit = zeroWhen(page.checked("ChkBoxBTULSp_Setup"));
    bt.Up_rate = page.text("EditBTMaxUL_Setup");
    bt.Auth_type = QString::number(page.itemIndex("ComboBoxBTEncry_Setup"));
    bt.Max_torrent_peer = page.text("EditMaxPeer_Setup");
    bt.Max_peer = page.text("EditMaxCon_Setup");
    bt.Enable_dht = oneWhen(page.checked("ChkBoxDHT_Setup"));
    bt.Enable_pex = oneWhen(page.checked("ChkBoxPEX_Setup"));
    return bt;
}

RouterNzbSettings RouterSettingsPages::nzbFrom(const FormState& page) {
    RouterNzbSettings nzb;
    nzb.Host = page.text("EditUSENETServer_Setup");
    nzb.Port = page.text("EditUSENETPort_Setup");
    nzb.Username = page.text("EditUSENETUs_Setup");
    nzb.Password = page.text("EditUSENETPs_Setup");
    nzb.DownloadRate =
        page.checked("ChkBoxNZBDLSp_Setup") ? QStringLiteral("0") : page.text("EditNZBMaxDL_Setup");
    nzb.Connections = page.text("EditNZBConNum_Setup");
    nzb.Encryption =
        page.checked("ChkBoxNZBSSL_Setup") ? QStringLiteral("yes") : QStringLiteral("no");
    return nzb;
}

}  // namespace fv
