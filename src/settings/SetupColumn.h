// The three columns of the settings file and how each of their elements maps onto a setup
// field: which field it is written from, how its text is formatted, and what reading it
// back does to the field. Reading goes through the FormState setters, so a stored value
// behaves like the user's typing and the fields' change rules run.
#pragma once

#include "settings/SetupFormKind.h"

#include <QString>
#include <vector>

namespace pugi {
class xml_node;
}

namespace fv {

class FormState;
class SettingsRecords;

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

    // Applies every known child of column in document order (later duplicates win).
    // records may be null when the record is not to be touched.
    static void apply(const pugi::xml_node& column, SetupColumnKind kind, SetupFormKind formKind,
                      FormState& form, SettingsRecords* records);

    // Appends one child per element of the table, in table order, to column.
    static void write(pugi::xml_node column, SetupColumnKind kind, SetupFormKind formKind,
                      const FormState& form, const SettingsRecords& records);

    // Characters XML 1.0 cannot carry are dropped so the file always parses again.
    static QString xmlSafe(const QString& text);

  private:
    static void applyValue(const Element& e, const QString& value, SetupFormKind formKind,
                           FormState& form, SettingsRecords* records);
    static QString valueOf(const Element& e, SetupFormKind formKind, const FormState& form,
                           const SettingsRecords& records);
};

}  // namespace fv
