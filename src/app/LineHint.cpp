#include "app/LineHint.h"

#include "i18n/MessageTexts.h"

namespace fv {

QString LineHint::text(int lineNumber, const QString& fileName, const QString& status,
                       const MessageTexts& texts) {
    if (fileName.isEmpty())
        return {};
    if (!status.contains(QLatin1String("Format")))
        return fileName;
    // Only the first line follows the language; the others keep the English sentence.
    const QString warning = lineNumber == 1 ? texts[Msg::FormMainMsg13]
                                            : QStringLiteral(
                                                  "The disk format dose not support files more "
                                                  "then 4G.");
    return fileName + QStringLiteral(", \r\n") + warning;
}

QString LineHint::withTimeLeft(const QString& hint, const QString& timeLeft,
                               const QString& caption) {
    if (hint.isEmpty() || timeLeft.isEmpty())
        return hint;
    return hint + QStringLiteral("\r\n") + caption + QLatin1Char(' ') + timeLeft;
}

}  // namespace fv
