#include "upload/TorrentReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

#include <gtest/gtest.h>

#include "Bencode.h"
#include "TestEnvironment.h"
#include "platform/DebugLog.h"

namespace fv {
namespace {

using test::FileSpec;
using E = TorrentFileEntry;

struct ScanCase {
    const char* name;
    std::string bytes;
    int status;
    int multiFile;
    std::vector<TorrentFileEntry> entries;
};

std::vector<ScanCase> scanCases() {
    const std::string longName(300, 'n');
    std::string wide;  // 150 two-byte characters: 300 bytes, cut must not split one
    for (int i = 0; i < 150; ++i)
        wide += "\xC3\xA9";
    const std::string single = test::singleFileTorrent(7, "seven.bin");
    const std::string multi = test::multiFileTorrent({{1000, {"a.mkv"}, {}}, {2, {"b"}, {}}});
    return {
        {"SingleFile", single, 0, 0, {E{"", 0, "", 7}}},
        {"MultiFilePlainPath", multi, 0, 1, {E{"a.mkv", 0, "none", 1000}, E{"b", 1, "none", 2}}},
        {"Utf8PathOverridesPath",
         test::multiFileTorrent({{10, {"caf?.txt"}, {"caf\xC3\xA9.txt"}}, {20, {"x"}, {"y"}}}),
         0,
         1,
         {E{"caf\xC3\xA9.txt", 0, "none", 10}, E{"y", 1, "none", 20}}},
        {"ThreeElementPathKeepsTwo",
         test::multiFileTorrent({{5, {"dir", "sub", "leaf.srt"}, {}}}),
         0,
         1,
         {E{"dir", 0, "sub", 5}}},
        {"LengthAboveFourGiB",
         test::multiFileTorrent({{5368709120LL, {"big.iso"}, {}}, {4294967296LL, {"c"}, {}}}),
         0,
         1,
         {E{"big.iso", 0, "none", 5368709120ULL}, E{"c", 1, "none", 4294967296ULL}}},
        {"SevenBytesFail", "d1:ai1e", -1, 0, {}},
        {"EightBytesNoKeys", "d1:ai12e", 0, 0, {}},
        {"NzbText",
         "<?xml version=\"1.0\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n"
         "<file subject=\"x\"><segments><segment bytes=\"10\">a@b</segment></segments></file>"
         "</nzb>\n",
         0,
         0,
         {}},
        {"PieceLengthIsNotALength", "d12:piece lengthi16384e1:xi0ee", 0, 0, {}},
        {"FilesKeyInLastSevenBytesIgnored", "xxxxxxxx5:files", 0, 0, {}},
        {"FilesKeyEndingBeforeLastByte", "xxxxxxx5:filese", 0, 1, {}},
        {"TruncatedInsideLengthNumber",
         multi.substr(0, multi.find("i2e") + 2),
         0,
         1,
         {E{"a.mkv", 0, "none", 1000}}},
        {"TruncatedInsidePathString",
         multi.substr(0, multi.find("a.mkv") + 2),
         0,
         1,
         {E{"", 0, "", 1000}}},
        {"HugePathPrefixStopsScan",
         "d5:filesld6:lengthi9e4:pathl99999999999999999999999999:abc6:lengthi1eeee",
         0,
         1,
         {E{"", 0, "", 9}}},
        {"PathBeforeAnyLengthSkipped",
         "d4:pathl3:abce6:lengthi4e4:pathl2:okeee",
         0,
         0,
         {E{"ok", 0, "none", 4}}},
        {"LongElementsCutAtFieldWidth",
         test::multiFileTorrent({{1, {longName, longName}, {}}}),
         0,
         1,
         {E{std::string(255, 'n'), 0, std::string(259, 'n'), 1}}},
        {"MultiByteCutOnCharacterBoundary",
         test::multiFileTorrent({{1, {wide}, {}}}),
         0,
         1,
         {E{wide.substr(0, 254), 0, "none", 1}}},
        {"GarbageBetweenDigitsIgnored",
         "xx6:lengthi1x2ey4:pathl1:qe",
         0,
         0,
         {E{"q", 0, "none", 12}}},
        {"NameContainingKeyText",
         test::multiFileTorrent({{3, {"6:lengthi5e"}, {}}}),
         0,
         1,
         {E{"6:lengthi5e", 0, "none", 3}}},
        {"AllZeroBytes", std::string(64, '\0'), 0, 0, {}},
        {"OnlyColons", std::string(64, ':'), 0, 0, {}},
    };
}

class TorrentScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(TorrentScan, FindsEntriesFlagAndStatus) {
    const ScanCase& c = GetParam();
    const TorrentReadResult r = scanTorrentBytes(c.bytes);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.multiFile, c.multiFile);
    ASSERT_EQ(r.entries.size(), c.entries.size());
    for (size_t i = 0; i < c.entries.size(); ++i) {
        EXPECT_EQ(r.entries[i].index, c.entries[i].index) << i;
        EXPECT_EQ(r.entries[i].length, c.entries[i].length) << i;
        EXPECT_EQ(r.entries[i].firstPath, c.entries[i].firstPath) << i;
        EXPECT_EQ(r.entries[i].secondPath, c.entries[i].secondPath) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Reader, TorrentScan, ::testing::ValuesIn(scanCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Every prefix of a real torrent must scan without leaving the buffer (ASan watches this);
// the entries found can only grow with the prefix.
TEST(TorrentScan, EveryPrefixStaysInsideAndGrowsMonotonically) {
    const std::string t = test::multiFileTorrent(
        {{1, {"a", "b"}, {"c"}}, {2, {"d"}, {}}, {3, {"e", "f", "g"}, {"h", "i"}}});
    size_t previous = 0;
    for (size_t n = 0; n <= t.size(); ++n) {
        // A heap copy of exactly n bytes, so any over-read lands outside the allocation.
        std::unique_ptr<char[]> copy(new char[n ? n : 1]);
        std::memcpy(copy.get(), t.data(), n);
        const auto r = scanTorrentBytes(std::string_view(copy.get(), n));
        EXPECT_GE(r.entries.size(), previous) << n;
        previous = r.entries.size();
    }
    EXPECT_EQ(previous, 3u);
}

struct CutCase {
    std::string text;
    size_t max;
    std::string expected;
};

TEST(TorrentScan, CutUtf8KeepsWholeCharacters) {
    const CutCase cases[] = {
        {"abc", 5, "abc"},
        {"abcdef", 3, "abc"},
        {"a\xC3\xA9", 2, "a"},                         // two-byte character would be split
        {"a\xE2\x82\xAC", 3, "a"},                     // three-byte euro sign
        {"\xF0\x9F\x98\x80x", 4, "\xF0\x9F\x98\x80"},  // four-byte sequence fits exactly
        {"\x80\x80\x80", 1, ""},                       // stray continuation bytes leave nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(cutUtf8(c.text, c.max), c.expected) << c.text;
}

struct FileFailureCase {
    const char* name;
    QByteArray content;  // null: file missing
    int64_t maxBytes;
    const char* logLine;
};

TEST(TorrentFile, FailuresLogTheirTextAndReturnMinusOne) {
    test::ScratchDir dir;
    const FileFailureCase cases[] = {
        {"missing", QByteArray(), kTorrentMaxBytes, "file open failed\n"},
        {"short", QByteArray("d1:ai1e"), kTorrentMaxBytes, "file fseek failed\n"},
        {"empty", QByteArray(""), kTorrentMaxBytes, "file fseek failed\n"},
        {"toolarge", QByteArray(64, 'x'), 63, "mem malloc failed\n"},
    };
    for (const auto& c : cases) {
        const QString path = dir.file(c.name);
        if (!c.content.isNull()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        }
        LogCapture log;
        const auto r = readTorrentFiles(path, c.maxBytes);
        EXPECT_EQ(r.status, -1) << c.name;
        EXPECT_TRUE(r.entries.empty()) << c.name;
        EXPECT_TRUE(log.contains(c.logLine)) << c.name;
    }
}

// Torrents made by a real tool: names and sizes must come out as written to disk.
class MktorrentFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        tool_ = QStandardPaths::findExecutable("mktorrent");
        if (tool_.isEmpty())
            GTEST_SKIP() << "mktorrent not installed";
    }
    void writeFile(const QString& path, qint64 size) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(size, 'z'));
    }
    TorrentReadResult make(const QString& source, const QString& out) {
        QProcess p;
        p.start(tool_, {"-a", "http://127.0.0.1:1/announce", "-l", "15", "-o", out, source});
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return readTorrentFiles(out);
    }
    QString tool_;
};

TEST_F(MktorrentFiles, SingleFileGivesOneUnnamedEntry) {
    test::ScratchDir dir;
    writeFile(dir.file("movie.mkv"), 70001);
    const auto r = make(dir.file("movie.mkv"), dir.file("single.torrent"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.multiFile, 0);
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0].length, 70001u);
    EXPECT_EQ(r.entries[0].firstPath, "");
}

TEST_F(MktorrentFiles, FolderGivesEveryFileWithItsSize) {
    test::ScratchDir dir;
    const std::vector<std::pair<std::string, qint64>> files = {
        {"a.srt", 7}, {"b.nfo", 1024}, {"c.mkv", 200000}};
    for (const auto& [name, size] : files)
        writeFile(dir.file("set/" + QString::fromStdString(name)), size);
    writeFile(dir.file("set/sub/deep.txt"), 33);
    const auto r = make(dir.file("set"), dir.file("multi.torrent"));
    EXPECT_EQ(r.multiFile, 1);
    ASSERT_EQ(r.entries.size(), 4u);
    std::vector<std::tuple<std::string, std::string, uint64_t>> got;
    for (size_t i = 0; i < r.entries.size(); ++i) {
        EXPECT_EQ(r.entries[i].index, int(i));
        got.emplace_back(r.entries[i].firstPath, r.entries[i].secondPath, r.entries[i].length);
    }
    std::sort(got.begin(), got.end());
    const std::vector<std::tuple<std::string, std::string, uint64_t>> expected = {
        {"a.srt", "none", 7},
        {"b.nfo", "none", 1024},
        {"c.mkv", "none", 200000},
        {"sub", "deep.txt", 33}};
    EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace fv
