// The release note as text: from the archive the update server publishes, or as it came.
#include <zip.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "update/ReleaseNote.h"

namespace fv {
namespace {

// An archive of the given entries (a name ending in "/" is a folder).
QByteArray zipOf(const std::vector<std::pair<std::string, std::string>>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (const auto& [name, content] : entries) {
        if (!name.empty() && name.back() == '/') {
            zip_dir_add(archive, name.c_str(), ZIP_FL_ENC_UTF_8);
            continue;
        }
        zip_source_t* file = zip_source_buffer(archive, content.data(), content.size(), 0);
        zip_file_add(archive, name.c_str(), file, ZIP_FL_ENC_UTF_8);
    }
    zip_close(archive);
    QByteArray out;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        out.resize(static_cast<qsizetype>(zip_source_tell(buffer)));
        zip_source_seek(buffer, 0, SEEK_SET);
        zip_source_read(buffer, out.data(), static_cast<zip_uint64_t>(out.size()));
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return out;
}

struct NoteCase {
    const char* what;
    QByteArray reply;
    bool simplified;
    QString text;
    bool problem;
};

class ReleaseNoteText : public ::testing::TestWithParam<NoteCase> {};

TEST_P(ReleaseNoteText, ShowsTheTextOrSaysWhyNot) {
    const ReleaseNote note = ReleaseNoteReader::read(GetParam().reply, GetParam().simplified);
    EXPECT_EQ(note.text, GetParam().text) << GetParam().what;
    EXPECT_EQ(!note.problem.isEmpty(), GetParam().problem) << GetParam().what;
}

const QString kNote = QString::fromUtf8("Ferrovane 2.2.3.4\r\n- 任務清單更新更快。\r\n");
const QByteArray kArchive = zipOf({{"FV_2234_note.txt", kNote.toStdString()}});

INSTANTIATE_TEST_SUITE_P(
    Cases, ReleaseNoteText,
    ::testing::Values(
        NoteCase{"archive", kArchive, false, kNote, false},
        NoteCase{"text file after a folder and a picture",
                 zipOf({{"notes/", ""}, {"logo.png", "PNG"}, {"notes/readme.TXT", "hello"}}), false,
                 "hello", false},
        NoteCase{"no text file: the first file", zipOf({{"notes/", ""}, {"note", "plain"}}), false,
                 "plain", false},
        NoteCase{"only a folder", zipOf({{"notes/", ""}}), false, "", true},
        NoteCase{"cut short", kArchive.left(kArchive.size() / 2), false, "", true},
        NoteCase{"damaged in the middle",
                 QByteArray(kArchive).replace(30, 12, QByteArray(12, '\xff')), false, "", true},
        NoteCase{"plain text", "Ferrovane 2.2.3.4\n- fixes\n", false,
                 "Ferrovane 2.2.3.4\n- fixes\n", false},
        NoteCase{"UTF-8 with a mark", "\xEF\xBB\xBFnote", false, "note", false},
        NoteCase{"UTF-16 with a mark", QByteArray("\xFF\xFEn\0o\0", 6), false, "no", false},
        NoteCase{"Big5 for the CHT note", "\xB7\x73\xAA\xA9", false, QString::fromUtf8("新版"),
                 false},
        NoteCase{"GB18030 for the CHS note", "\xD0\xC2\xB0\xE6", true, QString::fromUtf8("新版"),
                 false},
        NoteCase{"empty reply", QByteArray(), false, "", false}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ReleaseNoteLimits, AnOversizedNoteIsRefused) {
    const std::string big(size_t(ReleaseNoteReader::kMaxTextBytes) + 1, 'a');
    EXPECT_FALSE(ReleaseNoteReader::read(zipOf({{"n.txt", big}}), false).problem.isEmpty());
    EXPECT_FALSE(ReleaseNoteReader::read(QByteArray::fromStdString(big), false).problem.isEmpty());
}

}  // namespace
}  // namespace fv
