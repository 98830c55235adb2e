// Chooses the progress picture (img_Signal_0 ... img_Signal_5) for a progress text like "42.5%".
#pragma once

#include <QString>

namespace fv {

class ProgressPicture {
  public:
    // 0 to 5: the picture's number.
    static int index(const QString& progressText);
    static QString name(int index) { return QStringLiteral("img_Signal_%1").arg(index); }
};

}  // namespace fv
