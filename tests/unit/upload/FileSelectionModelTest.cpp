#include "upload/FileSelectionModel.h"

#include <QFile>

#include <gtest/gtest.h>

#include "Bencode.h"
#include "QStringPrinter.h"
#include "TestEnvironment.h"
#include "platform/DebugLog.h"

namespace fv {
namespace {

TorrentReadResult multi(const std::vector<std::pair<std::string, uint64_t>>& files) {
    TorrentReadResult r;
    r.status = 0;
    r.multiFile = 1;
    for (const auto& [name, length] : files)
        r.entries.push_back({name, int(r.entries.size()), "none", length});
    return r;
}

TEST(FileSelectionModel, SizeTextsUseUnitBoundsAndLocaleSeparator) {
    const QLocale en(QLocale::English), de(QLocale::German);
    const std::tuple<uint64_t, QLocale, QString> cases[] = {
        {0, en, "0B"},
        {1023, en, "1023B"},
        {1024, en, "1.0KB"},
        {1536, de, "1,5KB"},
        {1048575, en, "1024.0KB"},
        {1048576, en, "1.0MB"},
        {5368709120ULL, en, "5120.0MB"},
        {5368709120ULL, de, "5120,0MB"},
    };
    for (const auto& [length, locale, text] : cases)
        EXPECT_EQ(FileSelectionModel::sizeText(length, locale), text) << length;
}

struct PreselectCase {
    std::vector<std::pair<std::string, uint64_t>> files;
    std::vector<bool> chosen;
    std::optional<QString> checked;
};

TEST(FileSelectionModel, MediaFilesArePreselectedBySubstring) {
    const PreselectCase cases[] = {
        {{{"a.mkv", 1}, {"b.nfo", 1}, {"c.srt", 1}}, {true, false, true}, "0,2"},
        {{{"x.RAR", 1}, {"x.rar", 1}, {"clip.rmvb", 1}}, {false, true, true}, "1,2"},
        {{{"readme.txt", 1}, {"cover.jpg", 1}}, {false, false}, std::nullopt},
        {{{"a.flac", 1}, {"b.iso", 1}}, {true, true}, "All"},
    };
    for (const auto& c : cases) {
        FileSelectionModel m("/t/x.torrent", multi(c.files), QLocale(QLocale::English));
        ASSERT_EQ(m.rows().size(), c.chosen.size());
        for (size_t i = 0; i < c.chosen.size(); ++i)
            EXPECT_EQ(m.rows()[i].checked, c.chosen[i]) << m.rows()[i].name.toStdString();
        EXPECT_EQ(m.checkedValue(), c.checked);
    }
}

TEST(FileSelectionModel, SingleFileTorrentIsOneChosenRowNamedAfterTheTorrent) {
    TorrentReadResult r;
    r.status = 0;
    r.entries.push_back({"", 0, "", 7});
    FileSelectionModel m("/home/u/Some Show.torrent", r);
    ASSERT_EQ(m.rows().size(), 1u);
    EXPECT_EQ(m.rows()[0].name, "Some Show.torrent");
    EXPECT_EQ(m.rows()[0].sizeText, "7B");
    EXPECT_TRUE(m.selectAll());
    EXPECT_EQ(m.checkedValue(), QString("All"));
}

TEST(FileSelectionModel, UnreadableOrEmptyTorrentShowsFormatErrorAndQueuesNothing) {
    TorrentReadResult failed;  // status -1
    TorrentReadResult empty;
    empty.status = 0;
    for (const auto& r : {failed, empty}) {
        FileSelectionModel m("/d/bad.torrent", r);
        EXPECT_TRUE(m.formatError());
        EXPECT_EQ(m.title(), "bad.torrent - Wrong Format of Bt File.");
        EXPECT_TRUE(m.rows().empty());
        EXPECT_EQ(m.checkedValue(), std::nullopt);
    }
}

TEST(FileSelectionModel, NzbFileIsOneRowConfirmedAsAll) {
    test::ScratchDir dir;
    const QString path = dir.file("show.NZB");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2048, 'n'));
    f.close();
    const FileSelectionModel m = FileSelectionModel::open(path, QLocale(QLocale::English));
    EXPECT_TRUE(m.isNzb());
    EXPECT_FALSE(m.formatError());
    EXPECT_EQ(m.title(), "show.NZB");
    ASSERT_EQ(m.rows().size(), 1u);
    EXPECT_EQ(m.rows()[0].sizeText, "2.0KB");
    EXPECT_EQ(m.checkedValue(), QString("All"));
}

TEST(FileSelectionModel, SubFolderRowsShowFolderAndName) {
    TorrentReadResult r = multi({{"top.mkv", 1}});
    r.entries.push_back({"Subs", 1, "en.srt", 2});
    FileSelectionModel m("/t/x.torrent", r);
    EXPECT_EQ(m.rows()[0].name, "top.mkv");
    EXPECT_EQ(m.rows()[1].name, "Subs/en.srt");
}

TEST(FileSelectionModel, ChoosingByHandOrSelectAllGivesAll) {
    FileSelectionModel m("/t/x.torrent", multi({{"a", 1}, {"b", 2}, {"c", 3}}));
    EXPECT_EQ(m.checkedValue(), std::nullopt);
    for (int slot = 0; slot < 3; ++slot)
        m.toggleVisibleRow(slot);
    EXPECT_EQ(m.checkedValue(), QString("All"));
    m.toggleVisibleRow(1);
    EXPECT_EQ(m.checkedValue(), QString("0,2"));
    LogCapture log;
    m.selectAllLabelClicked();
    EXPECT_TRUE(m.selectAll());
    EXPECT_TRUE(log.contains("ChkBoxSelectAll_BtSelectClick()"));
    EXPECT_EQ(m.checkedValue(), QString("All"));
    m.selectAllLabelClicked();
    EXPECT_EQ(m.checkedValue(), std::nullopt);
}

struct SortCase {
    bool reversed;
    std::vector<int> clicks;
    std::vector<int> ids;  // row order after the clicks
    int state;
};

TEST(FileSelectionModel, SortKeysAndDirections) {
    // ids: 0 "b.mkv" 2 KB, 1 "A.srt" 10 B, 2 "c.nfo" 1 MB
    const SortCase cases[] = {
        {false, {0}, {2, 1, 0}, 0},  // first click on ID after opening: descending
        {false, {0, 0}, {0, 1, 2}, 1}, {false, {1}, {2, 0, 1}, 2},  // names descending, case folded
        {false, {1, 1}, {1, 0, 2}, 3}, {false, {2}, {2, 0, 1}, 4}, {false, {2, 2}, {1, 0, 2}, 5},
        {true, {0}, {0, 1, 2}, 0},  // the other list control family: swapped
        {true, {2}, {1, 0, 2}, 4},
    };
    for (const auto& c : cases) {
        FileSelectionModel m("/t/x.torrent",
                             multi({{"b.mkv", 2048}, {"A.srt", 10}, {"c.nfo", 1 << 20}}),
                             QLocale(QLocale::English), c.reversed);
        for (int col : c.clicks)
            m.FileSelectionSortColumn(col);
        std::vector<int> ids;
        for (const auto& r : m.rows())
            ids.push_back(r.id);
        EXPECT_EQ(ids, c.ids);
        EXPECT_EQ(m.sortState(), c.state);
        // The choice still names the torrent's files, in ascending order.
        EXPECT_EQ(m.checkedValue(), QString("0,1"));
    }
}

TEST(FileSelectionModel, ScrollingAndThumb) {
    std::vector<std::pair<std::string, uint64_t>> files;
    for (int i = 0; i < 8; ++i)
        files.emplace_back(QString("f%1").arg(i).toStdString(), 1);
    FileSelectionModel m("/t/x.torrent", multi(files));
    m.scrollBy(-1);
    EXPECT_EQ(m.topRow(), 0);
    m.wheel(10);
    EXPECT_EQ(m.topRow(), 3);
    EXPECT_EQ(m.visibleRow(0)->id, 3);
    EXPECT_EQ(m.visibleRow(5), nullptr);
    m.toggleVisibleRow(4);
    EXPECT_EQ(m.checkedValue(), QString("7"));
    const auto t = m.thumb(100, 50);
    EXPECT_TRUE(t.visible);
    EXPECT_EQ(t.height, 35);  // 50 - 3 hidden rows x 5 px
    EXPECT_EQ(t.top, 115);

    FileSelectionModel few("/t/y.torrent", multi({{"a", 1}, {"b", 1}}));
    few.wheel(1);
    EXPECT_EQ(few.topRow(), 0);
    EXPECT_FALSE(few.thumb(0, 50).visible);
    EXPECT_EQ(few.visibleRow(2), nullptr);

    std::vector<std::pair<std::string, uint64_t>> many;
    for (int i = 0; i < 40; ++i)
        many.emplace_back(QString("m%1").arg(i).toStdString(), 1);
    FileSelectionModel longList("/t/z.torrent", multi(many));
    const auto small = longList.thumb(0, 50);  // step shrinks: 50 - 35 x 1 = 15
    EXPECT_EQ(small.height, 15);
    longList.scrollBy(100);
    EXPECT_EQ(longList.thumb(0, 50).top, 35);
}

}  // namespace
}  // namespace fv
