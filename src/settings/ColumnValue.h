// One element's text in the settings file and its typed value, by the element's rule: what
// reading the text makes of the value (or leaves alone), and the text a value is written as.
#pragma once

#include "settings/SetupColumn.h"

#include <QString>
#include <optional>

namespace fv {

class ColumnValue {
  public:
    // Later elements overwrite earlier ones; a text the rule does not accept leaves value as
    // it was (a duplicate with a bad value does not undo a good one before it).
    static void read(std::optional<QString>& value, const SetupColumn::Element& e,
                     const QString& text);
    static void read(std::optional<bool>& value, const SetupColumn::Element& e,
                     const QString& text);
    static void read(std::optional<int>& value, const SetupColumn::Element& e, const QString& text);

    // A value the record does not have is written as the empty text, "0" or index 0.
    static QString text(const std::optional<QString>& value);
    static QString text(const std::optional<bool>& value);
    static QString text(const std::optional<int>& value);
};

}  // namespace fv
