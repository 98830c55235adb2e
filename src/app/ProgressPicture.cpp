#include "app/ProgressPicture.h"

#include <cmath>

#include "tasks/RouterNumber.h"

namespace fv {

int ProgressPicture::index(const QString& progressText) {
    // The last character is the unit ("%"). The rest is read by the same rules the list
    // wrote it with, so a comma locale's "45,5%" is 45.5 and not "not a number".
    const std::optional<double> value =
        RouterNumber::parse(progressText.left(progressText.size() - 1));
    if (!value || *value < -1e6 || *value > 1e6)
        return 0;
    const int p = static_cast<int>(std::trunc(*value));
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
