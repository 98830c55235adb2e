// What the main window looked like when the user left it: its position and size, the column widths,
// the sort title and direction and the filter. Kept in the data folder as FVLayout.json,
// apart from FVSetup.xml (whose format other tools read), written whole and private to the
// user. Anything missing or out of range reads as "not remembered", so a damaged file only
// costs the layout, never the start.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>
#include <optional>

#include "app/TaskRowSource.h"
#include "tasks/TaskFilter.h"

namespace fv {

struct LayoutState {
    static constexpr const char* kFileName = "FVLayout.json";

    std::optional<QPoint> windowPos;
    std::optional<QSize> windowSize;
    std::optional<std::array<int, kColumnCount>> columnWidths;
    // Both or neither; state is column * 2 or column * 2 + 1 (the direction toggle).
    std::optional<std::pair<int, int>> sort;
    TaskFilter filter;

    static LayoutState parse(const QByteArray& bytes);
    QByteArray serialize() const;

    // Missing or unreadable file: everything "not remembered".
    static LayoutState load(const QString& path);
    static bool save(const QString& path, const LayoutState& state, QString* error = nullptr);
    // FVLayout.json in the folder of the settings file.
    static QString besideSettings(const QString& setupFilePath);

    bool operator==(const LayoutState&) const = default;
};

}  // namespace fv
