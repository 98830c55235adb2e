// Fuzzes what the update server sends: the version-info text, the published checksum and
// the release note (archive or text). Besides memory safety it checks that a version found
// is four parts that compare equal to themselves, that its compact form is its digits, and
// that a checksum found is 64 lower-case hex digits.
#include <zip.h>

#include <cstdint>
#include <string>

#include <QByteArray>

#include "FuzzSeeds.h"
#include "update/PackageChecksum.h"
#include "update/ReleaseNote.h"
#include "update/VersionText.h"

namespace {

using fv_fuzz::check;

std::string zipOf(const std::string& name, const std::string& content) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_file_add(archive, name.c_str(),
                 zip_source_buffer(archive, content.data(), content.size(), 0), 0);
    zip_close(archive);
    std::string out;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        out.resize(static_cast<size_t>(zip_source_tell(buffer)));
        zip_source_seek(buffer, 0, SEEK_SET);
        zip_source_read(buffer, out.data(), out.size());
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return out;
}

fv_fuzz::Seeds seeds() {
    return {
        "FV22#V12234#2026-12-01\r\n",
        "\"FV 22\",V122310",
        "715c2acc29e38728d8a618e1dfcbb5a2c707e46a3c4d2736c1647e0fce81cf5e  pkg.deb\n",
        zipOf("FV_2234_note.txt", "Ferrovane 2.2.3.4\r\n- fixes\r\n"),
        std::string("PK\x03\x04\0\0\0\0", 8),
    };
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fv_fuzz::bytesOf(data, size);
    const fv::PublishedVersion v = fv::parseVersionInfo(bytes);
    check(v.compact.isEmpty() == v.dotted.isEmpty(), "a version has both forms or neither");
    if (!v.dotted.isEmpty()) {
        check(QString(v.dotted).remove('.') == v.compact, "the dotted form is the compact digits");
        check(v.dotted.count('.') == 3, "four parts");
        check(!fv::isNewerVersion(v.dotted, v.dotted), "a version is not newer than itself");
    }
    const QString digest = fv::publishedSha256(bytes, QStringLiteral("pkg.deb"));
    check(digest.isEmpty() || (digest.size() == 64 && digest == digest.toLower()),
          "a digest is 64 lower-case digits");
    const QByteArray reply(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const fv::ReleaseNote note = fv::ReleaseNoteReader::read(reply, size % 2 == 0);
    check(note.text.isEmpty() || note.problem.isEmpty(), "a note is shown or refused, not both");
    return 0;
}
