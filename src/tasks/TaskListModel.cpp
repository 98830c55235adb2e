#include "tasks/TaskListModel.h"

#include <algorithm>
#include <stdexcept>

#include "platform/DebugLog.h"
#include "tasks/RouterNumber.h"
#include "tasks/TimeLeft.h"

namespace fv {
namespace {

// Ordinal comparison after folding a-z to A-Z (other letters keep their case).
int compareTextAsciiNoCase(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'a' && x <= u'z')
            x = static_cast<char16_t>(x - 32);
        if (y >= u'a' && y <= u'z')
            y = static_cast<char16_t>(y - 32);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

template <typename T>
int compareValues(T a, T b) {
    if (a < b)
        return -1;
    return b < a ? 1 : 0;
}

float sizeValue(QString text) {
    float scale = 1.0f;
    if (text.contains(QLatin1String("GB"))) {
        text.remove(QLatin1String("GB"));
        scale = 1000.0f * 1000.0f * 1000.0f;
    } else if (text.contains(QLatin1String("MB"))) {
        text.remove(QLatin1String("MB"));
        scale = 1000.0f * 1000.0f;
    } else if (text.contains(QLatin1String("KB"))) {
        text.remove(QLatin1String("KB"));
        scale = 1000.0f;
    } else {
        text.remove(QLatin1Char('B'));
    }
    return static_cast<float>(RouterNumber::valueOrZero(text)) * scale;
}

double stripAndRead(QString text, const QString& unit) {
    text.remove(unit);
    return RouterNumber::valueOrZero(text);
}

bool takesNoPartInOrder(const TaskListRow& row) {
    const QString& status = row.texts[TaskListRow::Status];
    return status.isEmpty() || status == QLatin1String("Done") ||
           status == QLatin1String("in progress");
}

// A plain top-down merge sort: rows equal to everything make the compare inconsistent, and
// a merge stays within its ranges whatever the compare answers (unlike std::sort, whose
// unguarded loops may run off the ends then).
template <typename Less>
void mergeSort(std::vector<TaskListRow>& rows, std::vector<TaskListRow>& buffer, size_t lo,
               size_t hi, const Less& less) {
    if (hi - lo < 2)
        return;
    const size_t mid = lo + (hi - lo) / 2;
    mergeSort(rows, buffer, lo, mid, less);
    mergeSort(rows, buffer, mid, hi, less);
    size_t i = lo, j = mid, k = lo;
    while (i < mid && j < hi)
        buffer[k++] = std::move(less(rows[j], rows[i]) ? rows[j++] : rows[i++]);
    while (i < mid)
        buffer[k++] = std::move(rows[i++]);
    while (j < hi)
        buffer[k++] = std::move(rows[j++]);
    for (size_t m = lo; m < hi; ++m)
        rows[m] = std::move(buffer[m]);
}

}  // namespace

TaskListModel::TaskListModel(bool xpFamily, QObject* parent)
    : QObject(parent), xpFamily_(xpFamily) {}

void TaskListModel::changed() {
    ++revision_;
    if (updateDepth_ > 0) {
        pending_ = true;
        return;
    }
    emit rowsChanged();
}

void TaskListModel::endUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0 && pending_) {
        pending_ = false;
        emit rowsChanged();
    }
}

void TaskListModel::replaceRows(std::vector<TaskListRow> rows) {
    rows_ = std::move(rows);
    changed();
    emit rebuilt();
}

bool TaskListModel::restoreSort(int32_t column, int32_t state) {
    if (column < 0 || column >= TaskListRow::kShownColumnCount || state / 2 != column || state < 0)
        return false;
    sortColumn_ = column;
    sortState_ = state;
    return true;
}

void TaskListModel::appendRow(TaskListRow row) {
    rows_.push_back(std::move(row));
    changed();
}

void TaskListModel::removeRow(int index) {
    if (!validRow(index))
        return;
    rows_.erase(rows_.begin() + index);
    changed();
}

void TaskListModel::clear() {
    rows_.clear();
    changed();
}

void TaskListModel::setRowSelected(int index, bool selected) {
    if (validRow(index))
        rows_[static_cast<size_t>(index)].selected = selected;
}

void TaskListModel::setSelectedRow(int32_t row) {
    selectedRow_ = row;
    changed();
}

void TaskListModel::setTopRow(int32_t row) {
    topRow_ = std::max<int32_t>(0, row);
    changed();
}

void TaskListModel::resetView() {
    selectedRow_ = -1;
    topRow_ = 0;
    changed();
}

void TaskListModel::selectDrawnLine(int k) {
    if (k < 0 || k > 4)
        return;
    setSelectedRow(topRow_ + k);
}

bool TaskListModel::openDrawnLine(int k, const std::function<void()>& view) {
    if (k < 0 || k > 4)
        return false;
    const int index = topRow_ + k;
    if (!validRow(index) || row(index).texts[TaskListRow::FileName].isEmpty())
        return false;
    selectDrawnLine(k);
    setRowSelected(index, true);
    try {
        if (view)
            view();
    } catch (const std::exception& e) {
        DebugLog::write(std::string("FVPageInfoImageListViewLineOnDblClickAction(); E.Message = ") +
                        e.what());
    } catch (...) {
        DebugLog::write("FVPageInfoImageListViewLineOnDblClickAction(); E.Message = unknown");
    }
    return true;
}

void TaskListModel::sortByColumn(int column) {
    if (column < 0 || column >= TaskListRow::kShownColumnCount)
        return;
    const QString remembered = validRow(selectedRow_) ? row(selectedRow_).caption : QString();

    sortColumn_ = column;
    const int32_t a = column * 2;
    bool descending;
    if (a == sortState_) {
        sortState_ = a + 1;
        descending = xpFamily_;
    } else {
        sortState_ = a;
        descending = !xpFamily_;
    }

    std::vector<TaskListRow> buffer(rows_.size());
    mergeSort(rows_, buffer, 0, rows_.size(), [&](const TaskListRow& x, const TaskListRow& y) {
        return compareRows(x, y, column, descending) < 0;
    });

    // Without a selection there is nothing to find again (a row with an empty identifier must
    // not become selected by matching the empty text).
    if (!remembered.isEmpty()) {
        for (int i = 0; i < rowCount(); ++i) {
            if (compareTextAsciiNoCase(rows_[static_cast<size_t>(i)].caption, remembered) == 0) {
                selectedRow_ = i;
                break;
            }
        }
    }
    changed();
}

int TaskListModel::compareRows(const TaskListRow& row1, const TaskListRow& row2, int column,
                               bool descending) {
    if (takesNoPartInOrder(row1) || takesNoPartInOrder(row2))
        return 0;
    int result = 0;
    switch (column) {
        case TaskListRow::FileName:
            result = compareTextAsciiNoCase(row1.caption, row2.caption);
            break;
        case TaskListRow::Type:
        case TaskListRow::Status:
            result = compareTextAsciiNoCase(row1.texts[column], row2.texts[column]);
            break;
        case TaskListRow::Progress:
            result = compareValues(stripAndRead(row1.texts[column], QStringLiteral("%")),
                                   stripAndRead(row2.texts[column], QStringLiteral("%")));
            break;
        case TaskListRow::Size:
            result = compareValues(sizeValue(row1.texts[column]), sizeValue(row2.texts[column]));
            break;
        case TaskListRow::DownloadSpeed:
        case TaskListRow::UploadSpeed:
            result = compareValues(stripAndRead(row1.texts[column], QStringLiteral("KBps")),
                                   stripAndRead(row2.texts[column], QStringLiteral("KBps")));
            break;
        case TaskListRow::kTimeLeftColumn:
            result = compareValues(TimeLeft::of(row1).sortKey(), TimeLeft::of(row2).sortKey());
            break;
        default:
            break;
    }
    return descending ? -result : result;
}

}  // namespace fv
