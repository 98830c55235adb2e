// Which rows a search text and status choice let through.
#include <gtest/gtest.h>

#include "tasks/TaskFilter.h"

namespace fv {
namespace {

using S = TaskFilter::Status;

TEST(TaskFilter, NameAndStatusChoice) {
    struct Row {
        const char* caption;
        const char* name;
        const char* status;
    };
    const Row rows[] = {
        {"1", "debian-12.iso", "Downloading"},       // 0
        {"2", "Big Buck Bunny.mkv", "Seeding"},      // 1
        {"3", "Sintel.mkv", "Paused"},               // 2
        {"4", "arch.iso", "Finished"},               // 3
        {"5", "fedora.iso", "Waiting"},              // 4
        {"zzz999", "later.torrent", "in progress"},  // 5: queued upload
        {"6", "Élégie.flac", "Format Error"},        // 6
    };
    struct Case {
        const char* what;
        TaskFilter filter;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {"no filter", {}, {0, 1, 2, 3, 4, 5, 6}},
        {"name piece, any case", {"ISO", S::All}, {0, 3, 4}},
        {"blanks around the text", {"  mkv ", S::All}, {1, 2}},
        {"letters beyond ASCII", {"élég", S::All}, {6}},
        {"downloading: not finished, paused or queued", {"", S::Downloading}, {0, 4, 6}},
        {"seeding and finished", {"", S::Finished}, {1, 3}},
        {"paused", {"", S::Paused}, {2}},
        {"queued uploads only", {"", S::Queued}, {5}},
        {"text and status together", {"iso", S::Finished}, {3}},
        {"nothing matches", {"nothing", S::All}, {}},
    };
    for (const Case& c : cases) {
        std::vector<int> shown;
        for (int i = 0; i < int(std::size(rows)); ++i)
            if (c.filter.matches(rows[i].caption, QString::fromUtf8(rows[i].name), rows[i].status))
                shown.push_back(i);
        EXPECT_EQ(shown, c.shown) << c.what;
    }
}

TEST(TaskFilter, ActiveAndKeys) {
    EXPECT_FALSE(TaskFilter{}.active());
    EXPECT_FALSE((TaskFilter{"   ", S::All}.active()));
    EXPECT_TRUE((TaskFilter{"a", S::All}.active()));
    EXPECT_TRUE((TaskFilter{"", S::Paused}.active()));
    for (int i = 0; i < TaskFilter::kStatusCount; ++i) {
        const auto s = static_cast<S>(i);
        EXPECT_EQ(TaskFilter::fromKey(TaskFilter::key(s)), s);
    }
    EXPECT_EQ(TaskFilter::fromKey("Paused"), std::nullopt) << "keys are exact";
    EXPECT_EQ(TaskFilter::fromKey(""), std::nullopt);
}

}  // namespace
}  // namespace fv
