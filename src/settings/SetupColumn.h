// The three columns of the settings file and how each of their elements maps onto a setup
// field: which field shows it, how its text is read and formatted (the rule), and whether
// the stand-alone window has it. The records (ConnectionSettings, ...) hold the values, the
// codec reads and writes them, and SetupFormBinding shows them in the fields.
#pragma once

#include "settings/SetupFormKind.h"

#include <QString>
#include <vector>

namespace fv {

enum class SetupColumnKind { Connection = 0, BitTorrent = 1, Nzb = 2 };

class SetupColumn {
  public:
    enum class Rule {
        Text,             // field text both ways
        SecretText,       // field text; the value is registered as a secret with the debug log
        CheckStrict,      // "1"/"0"; reading "0" clears, "1" sets, other text changes nothing
        CheckZeroClears,  // "1"/"0"; reading "0" clears, any other text sets
        RemoteMode,       // "1" remote, "0" local; other text changes nothing
        ChoiceIndex,      // index; a whole number 0..maxIndex selects, other text changes nothing
        AuthMethod,       // index; "0" or "1" selects it, any other text selects 0
        LocalAddress,     // list text; reading makes it the list's only, selected entry
        WebDavHttpPort,   // from and into the connection record
        WebDavHttpsPort,
    };
    struct Element {
        const char* element;
        const char* control;
        Rule rule;
        int maxIndex = 0;
        bool standAlone = true;  // the stand-alone window reads and writes it
    };

    static const char* name(SetupColumnKind kind);
    static const std::vector<Element>& elements(SetupColumnKind kind);

    // The column's element of that exact name, or null.
    static const Element* find(SetupColumnKind kind, const char* element);

    // Characters XML 1.0 cannot carry are dropped so the file always parses again.
    static QString xmlSafe(const QString& text);
};

}  // namespace fv
