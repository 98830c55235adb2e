#include "update/ReleaseNote.h"

#include <zip.h>

#include <QStringDecoder>
#include <memory>

namespace fv {
namespace {

bool looksLikeZip(const QByteArray& bytes) {
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

struct ArchiveClose {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct EntryClose {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

// The entry to show: the first one ending in ".txt", else the first that is not a folder.
zip_int64_t pickEntry(zip_t* archive) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    zip_int64_t firstFile = -1;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (!name)
            continue;
        const QString n = QString::fromUtf8(name);
        if (n.endsWith(QLatin1Char('/')))
            continue;
        if (n.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
            return i;
        if (firstFile < 0)
            firstFile = i;
    }
    return firstFile;
}

ReleaseNote unpack(const QByteArray& reply, bool simplifiedChinese) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(
        reply.constData(), static_cast<zip_uint64_t>(reply.size()), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return {{}, QStringLiteral("the release note archive cannot be read")};
    }
    std::unique_ptr<zip_t, ArchiveClose> archive(
        zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive) {
        zip_source_free(source);
        const QString why = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        return {{}, QStringLiteral("the release note archive is damaged: ") + why};
    }
    zip_error_fini(&error);
    const zip_int64_t index = pickEntry(archive.get());
    if (index < 0)
        return {{}, QStringLiteral("the release note archive holds no file")};
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(index), 0, &st) != 0 ||
        !(st.valid & ZIP_STAT_SIZE))
        return {{}, QStringLiteral("the release note archive is damaged")};
    if (st.size > static_cast<zip_uint64_t>(ReleaseNoteReader::kMaxTextBytes))
        return {{}, QStringLiteral("the release note is too large")};
    std::unique_ptr<zip_file_t, EntryClose> file(
        zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
    if (!file)
        return {{}, QStringLiteral("the release note archive is damaged")};
    // Read one byte more than announced so a lying size cannot hide a longer entry.
    QByteArray text(static_cast<qsizetype>(st.size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < text.size()) {
        const zip_int64_t n =
            zip_fread(file.get(), text.data() + got, static_cast<zip_uint64_t>(text.size() - got));
        if (n < 0)
            return {{}, QStringLiteral("the release note archive is damaged")};
        if (n == 0)
            break;
        got += static_cast<qsizetype>(n);
    }
    if (got != static_cast<qsizetype>(st.size))
        return {{}, QStringLiteral("the release note archive is damaged")};
    text.truncate(got);
    return {ReleaseNoteReader::decode(text, simplifiedChinese), {}};
}

}  // namespace

ReleaseNote ReleaseNoteReader::read(const QByteArray& reply, bool simplifiedChinese) {
    if (looksLikeZip(reply))
        return unpack(reply, simplifiedChinese);
    if (reply.size() > kMaxTextBytes)
        return {{}, QStringLiteral("the release note is too large")};
    return {decode(reply, simplifiedChinese), {}};
}

QString ReleaseNoteReader::decode(const QByteArray& bytes, bool simplifiedChinese) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);  // takes the order from the mark
        return utf16(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder legacy(simplifiedChinese ? "GB18030" : "Big5");
    if (legacy.isValid()) {
        text = legacy(bytes);
        if (!legacy.hasError())
            return text;
    }
    return QString::fromLatin1(bytes);
}

}  // namespace fv
