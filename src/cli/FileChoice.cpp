#include "cli/FileChoice.h"

#include <QStringList>
#include <algorithm>

#include "upload/FileSelectionModel.h"

namespace fv::cli {
namespace {

// A torrent lists far fewer files; a longer list is a mistake, not a choice.
constexpr qsizetype kMaxItems = 100000;

std::optional<int> fileId(const QString& item) {
    const QString t = item.trimmed();
    if (t.isEmpty() || t.size() > 9)
        return std::nullopt;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return t.toInt();
}

}  // namespace

std::optional<FileChoice> FileChoice::parse(const QString& text) {
    FileChoice choice;
    if (text.trimmed().compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
        choice.all = true;
        return choice;
    }
    const QStringList items = text.split(QLatin1Char(','));
    if (items.size() > kMaxItems)
        return std::nullopt;
    for (const QString& item : items) {
        const auto id = fileId(item);
        if (!id)
            return std::nullopt;
        choice.ids.push_back(*id);
    }
    std::sort(choice.ids.begin(), choice.ids.end());
    choice.ids.erase(std::unique(choice.ids.begin(), choice.ids.end()), choice.ids.end());
    return choice;
}

std::vector<int> FileChoice::applyTo(FileSelectionModel& model) const {
    const auto& rows = model.rows();
    if (all) {
        model.setSelectAll(true);
        model.selectAllClicked();
        return {};
    }
    std::vector<int> unknown;
    for (int id : ids)
        if (std::none_of(rows.begin(), rows.end(),
                         [id](const BtSelectRow& r) { return r.id == id; }))
            unknown.push_back(id);
    if (!unknown.empty())
        return unknown;
    for (size_t i = 0; i < rows.size(); ++i)
        model.setChecked(int(i), std::binary_search(ids.begin(), ids.end(), rows[i].id));
    return {};
}

}  // namespace fv::cli
