// The hint of a task line: the file name, plus the 4 GB warning for statuses about the disk format.
#pragma once

#include "i18n/MessageTexts.h"

#include <QString>

namespace fv {

class LineHint {
  public:
    // lineNumber counts from 1.
    static QString text(int lineNumber, const QString& fileName, const QString& status,
                        const MessageTexts& texts = MessageTexts::english());
};

}  // namespace fv
