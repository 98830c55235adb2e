#include "app/ProgressPicture.h"

#include <cmath>

namespace fv {

int ProgressPicture::index(const QString& progressText) {
    // The last character is the unit ("%"); whatever is left must read as a plain decimal.
    const QString number = progressText.left(progressText.size() - 1).trimmed();
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < -1e6 || value > 1e6)
        return 0;
    const int p = static_cast<int>(std::trunc(value));
    if (p >= 1 && p <= 20)
        return 1;
    if (p >= 21 && p <= 40)
        return 2;
    if (p >= 41 && p <= 60)
        return 3;
    if (p >= 61 && p <= 99)
        return 4;
    if (p == 100)
        return 5;
    return 0;
}

}  // namespace fv
