// Fuzzes the parse of FVTask.xml, the upload queue on disk (another process may have written
// it). Besides memory safety it checks the queue's round trip: the entries of any document
// that parses, written as the client writes them and parsed again, are the same entries; and
// a second write gives the same bytes.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSeeds.h"
#include "upload/TaskFile.h"

namespace {

using fv_fuzz::check;

fv_fuzz::Seeds seeds() {
    const std::string column =
        "<Column><FileName>a.torrent</FileName><Status>in progress</Status>"
        "<Checked>0,2,5</Checked><FullPath>/home/u/a.torrent</FullPath></Column>";
    fv::UploadQueueEntry e;
    e.FileName = QStringLiteral("b \u00e9.nzb");
    e.Status = QStringLiteral("Done");
    e.Checked = QStringLiteral("All");
    e.FullPath = QStringLiteral("/tmp/b \u00e9.nzb");
    return {
        "<?xml version=\"1.0\"?><root>" + column + column + "</root>",
        fv::TaskFile::serialize({e, e}).toStdString(),
        "<root><Column><Status>x</Status><FileName>n</FileName></Column><Other/></root>",
        "<root><Column><FileName><b>bold</b>tail</FileName><FullPath> </FullPath></Column>"
        "</root>",
        "<root><Column><FileName>a&lt;b&#x10FFFF;</FileName></Column>",
        "<notroot/>",
    };
}

bool sameEntries(const std::vector<fv::UploadQueueEntry>& a,
                 const std::vector<fv::UploadQueueEntry>& b) {
    // operator== leaves out what is never stored (marked, id); so does the file.
    return a == b;
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::vector<fv::UploadQueueEntry> entries;
    if (!fv::TaskFile::parse(bytes, &entries))
        return 0;
    const QByteArray written = fv::TaskFile::serialize(entries);
    std::vector<fv::UploadQueueEntry> again;
    check(fv::TaskFile::parse(written, &again), "a written queue parses again");
    check(sameEntries(entries, again), "a written queue gives the same entries");
    check(fv::TaskFile::serialize(again) == written, "writing the same entries, the same bytes");
    return 0;
}
