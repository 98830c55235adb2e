// The rule that keeps a numeric setup field valid while it is typed into: the field loses
// characters from its end until it is empty or holds a whole number from 0 to its maximum,
// and a valid number is shown in plain decimal ("007" -> "7").
#pragma once

#include <QString>
#include <optional>

namespace fv {

class NumericFieldRule {
  public:
    // A whole number as a field accepts it: an optional sign and ASCII digits, nothing else.
    // Values that do not fit are reported as the largest value (always above any maximum).
    static std::optional<qint64> parse(const QString& text);

    // The text the field settles on. Equivalent to dropping the last character until the text
    // is empty or valid, but computed in one pass so a huge pasted text cannot recurse deeply.
    static QString settle(const QString& text, qint64 maximum);
};

}  // namespace fv
