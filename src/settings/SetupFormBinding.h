// Between the settings records and the setup fields. Showing a record goes through the
// FormState setters, so a stored value behaves like the user's typing and the fields' change
// rules run; reading takes every value the form kind has from the fields. Only the elements
// the form kind has are shown or read (the stand-alone window lacks the authentication, the
// version check and the WebDAV ports). UI thread only.
#pragma once

#include "settings/SetupFormKind.h"

namespace fv {

class FormState;
class SettingsRecords;
struct BitTorrentSettings;
struct ConnectionSettings;
struct NzbSettings;
struct ConnectionProfile;

class SetupFormBinding {
  public:
    // records, when given, takes the WebDAV ports (they have no field).
    static void show(const ConnectionSettings& values, FormState& form, SetupFormKind kind,
                     SettingsRecords* records);
    static void show(const BitTorrentSettings& values, FormState& form, SetupFormKind kind);
    static void show(const NzbSettings& values, FormState& form, SetupFormKind kind);

    // connection: where the WebDAV ports are taken from.
    static ConnectionSettings connection(const FormState& form, SetupFormKind kind,
                                         const ConnectionProfile& connection);
    static BitTorrentSettings bitTorrent(const FormState& form, SetupFormKind kind);
    static NzbSettings nzb(const FormState& form, SetupFormKind kind);
};

}  // namespace fv
