#include "upload/FileSelectionModel.h"

#include <QFileInfo>
#include <algorithm>

#include "i18n/MessageTexts.h"
#include "platform/DebugLog.h"

namespace fv {
namespace {

constexpr qsizetype kMaxNameUnits = 1024;

QString entryName(const TorrentFileEntry& e) {
    QString name = QString::fromUtf8(e.firstPath.data(), qsizetype(e.firstPath.size()));
    // A file in a sub-folder shows folder and name; deeper levels are not kept by the reader.
    if (!e.secondPath.empty() && e.secondPath != "none")
        name += '/' + QString::fromUtf8(e.secondPath.data(), qsizetype(e.secondPath.size()));
    return name.left(kMaxNameUnits);
}

int compareNames(const QString& a, const QString& b) {
    // ASCII letters folded only, as the original's comparison did.
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= 'A' && x <= 'Z')
            x = char16_t(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = char16_t(y + 32);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

const QStringList& FileSelectionModel::mediaExtensions() {
    static const QStringList list = {
        ".mkv", ".mp4", ".mpg", ".avi", ".asf", ".bik", ".dat", ".mov", ".ra",   ".ram", ".vob",
        ".mp3", ".mid", ".wav", ".wmf", ".srt", ".iso", ".img", ".nrg", ".flac", ".ccd", ".rm"};
    return list;
}

QString FileSelectionModel::sizeText(uint64_t length, const QLocale& localeIn) {
    QLocale locale = localeIn;  // the decimal separator only: no digit grouping
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    if (length < 1024)
        return QString::number(length) + "B";
    if (length < 1048576)
        return locale.toString(double(length) / 1024.0, 'f', 1) + "KB";
    return locale.toString(double(length) / 1048576.0, 'f', 1) + "MB";
}

FileSelectionModel::FileSelectionModel(const QString& fullPath, const TorrentReadResult& read,
                                       const QLocale& locale, bool reversedSort,
                                       const MessageTexts& texts)
    : fullPath_(fullPath),
      fileName_(QFileInfo(fullPath).fileName()),
      locale_(locale),
      reversed_(reversedSort) {
    nzb_ = QFileInfo(fullPath).suffix().compare("nzb", Qt::CaseInsensitive) == 0;
    // A torrent in which nothing can be found is as unusable as one that cannot be read.
    formatError_ = read.status != 0 || (!nzb_ && read.entries.empty());
    title_ = formatError_ ? fileName_ + " - " + texts[Msg::FormBtSelectMsg1] : fileName_;
    if (read.status == 0)
        buildRows(read);
}

void FileSelectionModel::buildRows(const TorrentReadResult& read) {
    if (nzb_) {
        const qint64 size = QFileInfo(fullPath_).size();
        rows_.push_back({0, fileName_, sizeText(uint64_t(std::max<qint64>(size, 0)), locale_),
                         uint64_t(std::max<qint64>(size, 0)), true});
        selectAll_ = true;
        return;
    }
    for (const auto& e : read.entries) {
        BtSelectRow row;
        row.id = e.index;
        row.name = read.multiFile ? entryName(e) : title_;
        row.length = e.length;
        row.sizeText = sizeText(e.length, locale_);
        for (const auto& ext : mediaExtensions())
            row.checked = row.checked || row.name.contains(ext, Qt::CaseSensitive);
        rows_.push_back(std::move(row));
    }
    if (rows_.size() == 1) {
        selectAll_ = true;
        selectAllClicked();
    }
}

FileSelectionModel FileSelectionModel::open(const QString& fullPath, const QLocale& locale,
                                            bool reversedSort, const MessageTexts& texts) {
    return FileSelectionModel(fullPath, readTorrentFiles(fullPath), locale, reversedSort, texts);
}

void FileSelectionModel::toggleVisibleRow(int slot) {
    if (slot < 0 || slot >= kVisibleRows)
        return;
    const size_t row = size_t(top_ + slot);
    if (row < rows_.size())
        rows_[row].checked = !rows_[row].checked;
}

void FileSelectionModel::setChecked(int row, bool checked) {
    if (row >= 0 && size_t(row) < rows_.size())
        rows_[size_t(row)].checked = checked;
}

void FileSelectionModel::selectAllClicked() {
    DebugLog::write("ChkBoxSelectAll_BtSelectClick()");
    for (auto& r : rows_)
        r.checked = selectAll_;
}

void FileSelectionModel::selectAllLabelClicked() {
    selectAll_ = !selectAll_;
    selectAllClicked();
}

void FileSelectionModel::FileSelectionSortColumn(int column) {
    DebugLog::write("BtSelectSortColumn()");
    if (column < 0 || column > 2)
        return;
    bool ascending;
    if (sortState_ == column * 2) {
        sortState_ = column * 2 + 1;
        ascending = true;
    } else {
        sortState_ = column * 2;
        ascending = false;
    }
    if (reversed_)
        ascending = !ascending;
    // Sizes compare by their exact length: the same order as the shown texts wherever those
    // differ, and no ties from rounding.
    auto key = [column](const BtSelectRow& a, const BtSelectRow& b) {
        switch (column) {
            case 0:
                return a.id < b.id ? -1 : (a.id > b.id ? 1 : 0);
            case 1:
                return compareNames(a.name, b.name);
            default:
                return a.length < b.length ? -1 : (a.length > b.length ? 1 : 0);
        }
    };
    std::stable_sort(rows_.begin(), rows_.end(), [&](const BtSelectRow& a, const BtSelectRow& b) {
        const int c = key(a, b);
        return ascending ? c < 0 : c > 0;
    });
}

void FileSelectionModel::scrollBy(int rows) {
    const int maxTop = std::max(0, int(rows_.size()) - kVisibleRows);
    top_ = std::clamp(top_ + rows, 0, maxTop);
}

void FileSelectionModel::wheel(int rows) {
    if (int(rows_.size()) <= kVisibleRows)
        return;
    scrollBy(rows);
}

const BtSelectRow* FileSelectionModel::visibleRow(int slot) const {
    if (slot < 0 || slot >= kVisibleRows)
        return nullptr;
    const size_t row = size_t(top_ + slot);
    return row < rows_.size() ? &rows_[row] : nullptr;
}

FileSelectionModel::Thumb FileSelectionModel::thumb(int trackTop, int trackHeight) const {
    Thumb t;
    const int hidden = int(rows_.size()) - kVisibleRows;
    if (hidden <= 0)
        return t;
    int step = 5;
    while (step > 1 && trackHeight - hidden * step < 5)
        --step;
    t.visible = true;
    // Very long lists still get a thumb that can be grabbed.
    t.height = std::max(trackHeight - hidden * step, 5);
    t.top = trackTop + top_ * step;
    t.top = std::min(t.top, trackTop + trackHeight - t.height);
    return t;
}

std::optional<QString> FileSelectionModel::checkedValue() const {
    std::vector<int> ids;
    for (const auto& r : rows_)
        if (r.checked)
            ids.push_back(r.id);
    if (ids.empty())
        return std::nullopt;
    if (ids.size() == rows_.size())
        return QStringLiteral("All");
    std::sort(ids.begin(), ids.end());
    QStringList parts;
    for (int id : ids)
        parts << QString::number(id);
    return parts.join(',');
}

}  // namespace fv
