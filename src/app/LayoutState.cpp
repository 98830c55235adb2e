#include "app/LayoutState.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cmath>
#include <limits>

#include "platform/AtomicFile.h"

namespace fv {
namespace {

// A layout file is a few hundred bytes; anything far larger is not one.
constexpr qint64 kMaxFileBytes = 64 * 1024;
// Window positions beyond this are not on any screen a desktop has.
constexpr int kMaxCoordinate = 100000;
// Column widths outside this cannot come from the list's own drag.
constexpr int kMaxColumnWidth = 10000;
constexpr int kMaxFilterChars = 200;

std::optional<int> wholeNumber(const QJsonValue& v, int lo, int hi) {
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || d < lo || d > hi)
        return std::nullopt;
    return static_cast<int>(d);
}

}  // namespace

LayoutState LayoutState::parse(const QByteArray& bytes) {
    LayoutState state;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return state;
    const QJsonObject o = doc.object();

    const QJsonObject window = o.value(QLatin1String("window")).toObject();
    const auto x = wholeNumber(window.value(QLatin1String("x")), -kMaxCoordinate, kMaxCoordinate);
    const auto y = wholeNumber(window.value(QLatin1String("y")), -kMaxCoordinate, kMaxCoordinate);
    if (x && y)
        state.windowPos = QPoint(*x, *y);
    const auto w = wholeNumber(window.value(QLatin1String("width")), 1, kMaxCoordinate);
    const auto h = wholeNumber(window.value(QLatin1String("height")), 1, kMaxCoordinate);
    if (w && h)
        state.windowSize = QSize(*w, *h);

    const QJsonArray widths = o.value(QLatin1String("columnWidths")).toArray();
    if (widths.size() == kColumnCount) {
        std::array<int, kColumnCount> w{};
        bool ok = true;
        for (int i = 0; i < kColumnCount && ok; ++i) {
            const auto v = wholeNumber(widths.at(i), 1, kMaxColumnWidth);
            ok = v.has_value();
            if (ok)
                w[size_t(i)] = *v;
        }
        if (ok)
            state.columnWidths = w;
    }

    const QJsonObject sort = o.value(QLatin1String("sort")).toObject();
    const auto column = wholeNumber(sort.value(QLatin1String("column")), 0, kColumnCount - 1);
    const auto sortState = wholeNumber(sort.value(QLatin1String("state")), 0, 2 * kColumnCount);
    if (column && sortState && *sortState / 2 == *column)
        state.sort = std::pair(*column, *sortState);

    const QJsonObject filter = o.value(QLatin1String("filter")).toObject();
    const QString text = filter.value(QLatin1String("text")).toString();
    if (text.size() <= kMaxFilterChars)
        state.filter.text = text;
    if (const auto status = TaskFilter::fromKey(filter.value(QLatin1String("status")).toString()))
        state.filter.status = *status;
    return state;
}

QByteArray LayoutState::serialize() const {
    QJsonObject o;
    QJsonObject window;
    if (windowPos) {
        window[QLatin1String("x")] = windowPos->x();
        window[QLatin1String("y")] = windowPos->y();
    }
    if (windowSize) {
        window[QLatin1String("width")] = windowSize->width();
        window[QLatin1String("height")] = windowSize->height();
    }
    if (!window.isEmpty())
        o[QLatin1String("window")] = window;
    if (columnWidths) {
        QJsonArray widths;
        for (int w : *columnWidths)
            widths.append(w);
        o[QLatin1String("columnWidths")] = widths;
    }
    if (sort)
        o[QLatin1String("sort")] = QJsonObject{{"column", sort->first}, {"state", sort->second}};
    o[QLatin1String("filter")] =
        QJsonObject{{"text", filter.text}, {"status", TaskFilter::key(filter.status)}};
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

LayoutState LayoutState::load(const QString& path) {
    QByteArray bytes;
    if (!AtomicFile::read(path, &bytes, kMaxFileBytes))
        return {};
    return parse(bytes);
}

bool LayoutState::save(const QString& path, const LayoutState& state, QString* error) {
    return AtomicFile::write(path, state.serialize(), error);
}

QString LayoutState::besideSettings(const QString& setupFilePath) {
    return QFileInfo(setupFilePath).absolutePath() + QLatin1Char('/') + QLatin1String(kFileName);
}

}  // namespace fv
