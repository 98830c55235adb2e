#include "update/PackageChecksum.h"

#include <QStringList>

namespace fv {
namespace {

bool isDigest(const QString& word) {
    if (word.size() != 64)
        return false;
    for (QChar c : word)
        if (!c.isDigit() && !(c.toLower() >= 'a' && c.toLower() <= 'f'))
            return false;
    return true;
}

}  // namespace

QString publishedSha256(std::string_view text, const QString& fileName) {
    const QString all = QString::fromLatin1(text.substr(0, 64 * 1024));
    for (const QString& line : all.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
        const QString digest = blank < 0 ? trimmed : trimmed.left(blank);
        if (!isDigest(digest))
            continue;
        QString name = blank < 0 ? QString() : trimmed.mid(blank).trimmed();
        if (name.startsWith(QLatin1Char('*')))  // sha256sum's binary-mode mark
            name.remove(0, 1);
        if (name.isEmpty() || name == fileName)
            return digest.toLower();
    }
    return {};
}

}  // namespace fv
