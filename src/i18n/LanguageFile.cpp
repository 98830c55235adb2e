#include "i18n/LanguageFile.h"

#include <QFile>

#include <algorithm>

#include "i18n/LanguageSections.h"
#include "i18n/WindowTexts.h"
#include "platform/AppPaths.h"
#include "platform/LanguageName.h"

namespace fv {
namespace {

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), size_t(bytes.size())};
}

}  // namespace

QString LanguageFile::sectionFor(const QString& languageName) {
    return LanguageSections::sectionFor(languageName);
}

std::map<QString, QString> LanguageFile::readSection(const QByteArray& bytes,
                                                     const QString& section) {
    std::map<QString, QString> values;
    const IniSection read = ini::readSection(view(bytes), section.toStdString());
    for (const auto& [lowered, entry] : read.entries())
        values[IniSection::toText(entry.key)] = IniSection::toText(entry.value);
    return values;
}

QString LanguageFile::path() {
    const QString folder = AppPaths::resourceFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1String(kFileName);
}

QByteArray LanguageFile::readBytes() {
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // read(n) allocates n bytes before it reads; the file is far smaller than the limit.
    return file.read(std::min(file.size(), kMaxFileBytes));
}

TextSet LanguageFile::textsFrom(const QByteArray& fileBytes, const QString& languageName) {
    const QString section = sectionFor(languageName);
    return WindowTexts::compute(section, ini::readSection(view(fileBytes), section.toStdString()));
}

TextSet LanguageFile::textsFor(const QString& languageName) {
    return textsFrom(readBytes(), languageName);
}

MessageTexts LanguageFile::textsForThisUser() {
    return textsFor(LanguageName::read()).messages;
}

}  // namespace fv
