// Numbers in the router's texts (progress fractions, sizes, speeds) always use "." as the
// decimal point, whatever the user's locale. The list writes progress with the user's own
// separator, so reading accepts that separator too; both round-trip.
#pragma once

#include <QString>
#include <optional>
#include <string_view>

namespace fv {

class RouterNumber {
  public:
    // Whole text (blanks and control characters around it ignored) as a finite decimal
    // number; nullopt when it is not one.
    static std::optional<double> parse(std::string_view text);
    static std::optional<double> parse(const QString& text);

    // Like parse, but text that is not a number counts as 0 (the ordering rule).
    static double valueOrZero(const QString& text);

    // The progress column: fraction x 100 as the shortest text of up to 15 significant
    // digits, with the user's decimal separator, followed by "%".
    static QString progressText(double fraction);
    // Same, with the user's decimal separator already looked up (for loops over many rows).
    static QString progressText(double fraction, const QString& decimalPoint);
    static QString userDecimalPoint();
};

}  // namespace fv
