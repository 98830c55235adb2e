// What the torrent file-selection window shows and decides, without the window: its rows
// (ID, name, size text, chosen), the title, sorting, the visible five-row window with its
// scroll thumb, and the Checked value that OK queues ("All" or ascending indices).
//
// An .nzb file has no file list; it is shown as one chosen row standing for the whole file,
// so the same OK queues it with Checked "All".
#pragma once

#include "i18n/MessageTexts.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

#include "upload/TorrentReader.h"

namespace fv {

struct BtSelectRow {
    int id = 0;
    QString name;
    QString sizeText;
    uint64_t length = 0;
    bool checked = false;
};

class FileSelectionModel {
  public:
    static constexpr int kVisibleRows = 5;
    static const QStringList& mediaExtensions();  // the 22 preselected extensions, in order

    // reversedSort: the operating-system family whose list control sorts the other way.
    FileSelectionModel(const QString& fullPath, const TorrentReadResult& read,
                       const QLocale& locale = QLocale(), bool reversedSort = false,
                       const MessageTexts& texts = MessageTexts::english());
    // Reads the file (readTorrentFiles) and builds the model for it.
    static FileSelectionModel open(const QString& fullPath, const QLocale& locale = QLocale(),
                                   bool reversedSort = false,
                                   const MessageTexts& texts = MessageTexts::english());

    static QString sizeText(uint64_t length, const QLocale& locale);

    const QString& title() const { return title_; }
    const QString& fileName() const { return fileName_; }
    const QString& fullPath() const { return fullPath_; }
    bool formatError() const { return formatError_; }
    bool isNzb() const { return nzb_; }
    const std::vector<BtSelectRow>& rows() const { return rows_; }

    // Choosing.
    void toggleVisibleRow(int slot);  // slot 0..4 of the visible window
    void setChecked(int row, bool checked);
    bool selectAll() const { return selectAll_; }
    void setSelectAll(bool on) { selectAll_ = on; }
    void selectAllClicked();
    void selectAllLabelClicked();  // the label toggles the box, then runs its handler

    // Sorting by column 0 ID, 1 File Name, 2 File Size.
    void FileSelectionSortColumn(int column);
    int sortState() const { return sortState_; }

    // Scrolling.
    int topRow() const { return top_; }
    void scrollBy(int rows);  // the up/down images
    void wheel(int rows);     // nothing when all rows fit
    const BtSelectRow* visibleRow(int slot) const;
    struct Thumb {
        bool visible = false;
        int top = 0;
        int height = 0;
    };
    Thumb thumb(int trackTop, int trackHeight) const;

    // OK: the Checked value, or nothing when no row is chosen (nothing is then queued).
    std::optional<QString> checkedValue() const;

  private:
    void buildRows(const TorrentReadResult& read);

    QString fullPath_;
    QString fileName_;
    QString title_;
    QLocale locale_;
    bool reversed_ = false;
    bool formatError_ = false;
    bool nzb_ = false;
    bool selectAll_ = false;
    int sortState_ = 1;
    int top_ = 0;
    std::vector<BtSelectRow> rows_;
};

}  // namespace fv
