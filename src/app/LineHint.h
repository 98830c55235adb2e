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
    // The hint with the row's time left on a line of its own ("Time left: 1:05:30"); a hint
    // that is empty (no task on the line) or a row without an estimate stays as it is.
    static QString withTimeLeft(const QString& hint, const QString& timeLeft,
                                const QString& caption);
};

}  // namespace fv
