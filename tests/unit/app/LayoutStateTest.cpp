// The window's remembered layout: what a file gives back, what a damaged one costs, and how it
// is written.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "TestEnvironment.h"
#include "app/LayoutState.h"

namespace fv {

// Failures show the state as the file would hold it.
void PrintTo(const LayoutState& s, std::ostream* os) {
    *os << s.serialize().toStdString();
}

namespace {

using test::ScratchDir;

LayoutState full() {
    LayoutState s;
    s.windowPos = QPoint(-40, 1200);
    s.windowSize = QSize(900, 610);
    s.columnWidths = std::array<int, kColumnCount>{150, 50, 92, 85, 68, 75, 65, 65};
    s.sort = std::pair(7, 15);
    s.filter = {QStringLiteral("Élégie \"live\""), TaskFilter::Status::Downloading};
    return s;
}

TEST(LayoutState, RoundTrip) {
    const LayoutState s = full();
    EXPECT_EQ(LayoutState::parse(s.serialize()), s);
    EXPECT_EQ(LayoutState::parse(LayoutState{}.serialize()), LayoutState{});
}

TEST(LayoutState, DamagedPartsFallBackOnTheirOwn) {
    struct Case {
        const char* what;
        const char* json;
        LayoutState expected;
    };
    auto with = [](auto change) {
        LayoutState s;
        change(s);
        return s;
    };
    const auto filterOnly = with([](LayoutState& s) { s.filter.text = "iso"; });
    const Case cases[] = {
        {"empty file", "", {}},
        {"not JSON", "window=1,2", {}},
        {"cut short", R"({"window":{"x":1,"y":2},"filter":{"te)", {}},
        {"an array at the top", "[1,2,3]", {}},
        {"position without y", R"({"window":{"x":10},"filter":{"text":"iso"}})", filterOnly},
        {"position as text", R"({"window":{"x":"10","y":"20"},"filter":{"text":"iso"}})",
         filterOnly},
        {"position far off any screen", R"({"window":{"x":1e9,"y":0},"filter":{"text":"iso"}})",
         filterOnly},
        {"fractional position", R"({"window":{"x":1.5,"y":0},"filter":{"text":"iso"}})",
         filterOnly},
        {"too few widths", R"({"columnWidths":[100,100],"filter":{"text":"iso"}})", filterOnly},
        {"a width of zero",
         R"({"columnWidths":[100,0,100,100,100,100,100,100],"filter":{"text":"iso"}})", filterOnly},
        {"a width as text",
         R"({"columnWidths":[100,"a",100,100,100,100,100,100],"filter":{"text":"iso"}})",
         filterOnly},
        {"sort state of another column",
         R"({"sort":{"column":2,"state":9},"filter":{"text":"iso"}})", filterOnly},
        {"sort column past the last", R"({"sort":{"column":8,"state":16},"filter":{"text":"iso"}})",
         filterOnly},
        {"unknown status choice", R"({"filter":{"text":"iso","status":"everything"}})", filterOnly},
        {"valid position, rest damaged", R"({"window":{"x":5,"y":6},"columnWidths":7})",
         with([](LayoutState& s) { s.windowPos = QPoint(5, 6); })},
        {"size without position", R"({"window":{"width":800,"height":520}})",
         with([](LayoutState& s) { s.windowSize = QSize(800, 520); })},
        {"size of zero", R"({"window":{"width":0,"height":520},"filter":{"text":"iso"}})",
         filterOnly},
        {"size far beyond any screen",
         R"({"window":{"width":900,"height":5e6},"filter":{"text":"iso"}})", filterOnly},
        {"sort and status kept", R"({"sort":{"column":4,"state":8},"filter":{"status":"paused"}})",
         with([](LayoutState& s) {
             s.sort = std::pair(4, 8);
             s.filter.status = TaskFilter::Status::Paused;
         })},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LayoutState::parse(QByteArray(c.json)), c.expected) << c.what;

    const QByteArray longText =
        R"({"filter":{"text":")" + QByteArray(201, 'a') + R"(","status":"queued"}})";
    EXPECT_EQ(LayoutState::parse(longText).filter,
              (TaskFilter{QString(), TaskFilter::Status::Queued}))
        << "an overlong search text is dropped, the choice kept";
}

TEST(LayoutState, FileIsPrivateAndReplacedWhole) {
    ScratchDir dir;
    const QString path = LayoutState::besideSettings(dir.file("FVSetup.xml"));
    EXPECT_EQ(path, dir.file("FVLayout.json"));
    EXPECT_EQ(LayoutState::load(path), LayoutState{}) << "no file yet";

    ASSERT_TRUE(LayoutState::save(path, full()));
    EXPECT_EQ(QFileInfo(path).permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(LayoutState::load(path), full());

    LayoutState second;
    second.filter.text = QStringLiteral("x");
    ASSERT_TRUE(LayoutState::save(path, second));
    EXPECT_EQ(LayoutState::load(path), second);

    // A file far larger than a layout is not read at all.
    QFile big(path);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(full().serialize());
    big.write(QByteArray(128 * 1024, ' '));
    big.close();
    EXPECT_EQ(LayoutState::load(path), LayoutState{});

    // A folder that cannot take the file reports why and leaves nothing half-written.
    QString error;
    EXPECT_FALSE(LayoutState::save(dir.file("missing/FVLayout.json"), full(), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace fv
