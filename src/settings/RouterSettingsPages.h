// The BitTorrent and NZB pages of the setup area and the router-side records they show: a
// read copies each record into its page, row by row, through the fields' setters so that
// each field's own rules run (the default-port box puts 51413 into the port before the
// port itself is copied); an apply takes the record back from the page.
#pragma once

#include "platform/FormState.h"
#include "router/SettingsRecords.h"

namespace fv {

class RouterSettingsPages {
  public:
    // Router to page.
    static void showBitTorrent(const RouterBtSettings& bt, FormState& page);
    static void showNzb(const RouterNzbSettings& nzb, FormState& page);

    // Page to router, for the page's apply.
    static RouterBtSettings bitTorrentFrom(const FormState& page);
    static RouterNzbSettings nzbFrom(const FormState& page);
};

}  // namespace fv
