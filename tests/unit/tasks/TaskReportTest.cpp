#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TaskTestDoubles.h"
#include "tasks/TaskReport.h"

namespace fv {
namespace {

using test::taskLine;

struct ReportCase {
    const char* what;
    std::string body;
    std::vector<std::string> ids;  // expected identifiers, in order
    std::vector<QString> names;    // expected names (checked when given)
};

class FvPageReportParse : public ::testing::TestWithParam<ReportCase> {};

TEST_P(FvPageReportParse, RowsAsExpected) {
    const ReportCase& c = GetParam();
    TaskReportTable table;
    TaskReport::Scratch scratch;
    const int count = TaskReport::parse(c.body, table, scratch);
    ASSERT_EQ(count, static_cast<int>(c.ids.size())) << c.what;
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(table.rows[i].id, c.ids[i]) << c.what << " row " << i;
        if (!c.names.empty()) {
            EXPECT_EQ(table.rows[i].name, c.names[i]) << c.what << " row " << i;
        }
    }
}

std::string manyTasks(int n) {
    std::string body = "[";
    for (int i = 0; i < n; ++i)
        body += (i ? ",\n" : "") + taskLine(std::to_string(i), "task" + std::to_string(i));
    return body + "]";
}

std::vector<std::string> idsUpTo(int n) {
    std::vector<std::string> ids;
    for (int i = 0; i < n; ++i)
        ids.push_back(std::to_string(i));
    return ids;
}

// Eleven quoted items and the closing bracket, which counts as an item of its own.
const std::string kTwelveItems = R"(,["x","n","0","1","s","BT","6","7","8","9","10"])";

INSTANTIATE_TEST_SUITE_P(
    Cases, FvPageReportParse,
    ::testing::Values(
        ReportCase{"empty report", "", {}, {}},
        ReportCase{"two lines, the second after ,[",
                   "[" + taskLine("101", "a.iso") + "\n," + taskLine("102", "b.iso") + "]",
                   {"101", "102"},
                   {"a.iso", "b.iso"}},
        ReportCase{"CRLF and empty lines are skipped",
                   taskLine("1", "a") + "\r\n\r\n\n" + taskLine("2", "b") + "\r\n",
                   {"1", "2"},
                   {}},
        ReportCase{"a lone CR separates lines",
                   taskLine("1", "a") + "\r" + taskLine("2", "b"),
                   {"1", "2"},
                   {}},
        ReportCase{"item 0 without a quote is taken whole",
                   R"(77,"n","0","1","s","BT","6","7","8","9","10","11","12")",
                   {"77"},
                   {"n"}},
        ReportCase{"item 0 quoted from the start loses its quotes",
                   R"("77","n","0","1","s","BT","6","7","8","9","10","11","12")",
                   {"77"},
                   {}},
        ReportCase{"a 12-item line ends the parse",
                   taskLine("1", "a") + "\n" + kTwelveItems + "\n" + taskLine("3", "c"),
                   {"1"},
                   {}},
        ReportCase{"a blank inside the bracketed identifier splits item 0",
                   R"([" 42","n","0","1","s","BT","6","7","8","9","10","11"])",
                   {""},
                   {}},
        ReportCase{
            "a malformed first line gives no rows", "garbage line\n" + taskLine("1", "a"), {}, {}},
        ReportCase{"the name keeps characters of any script",
                   taskLine("5", "\xE6\x97\xA5\xE6\x9C\xAC \xC3\xA9t\xC3\xA9.mkv"),
                   {"5"},
                   {QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC \xC3\xA9t\xC3\xA9.mkv")}},
        ReportCase{"a doubled quote in a name stands for one",
                   R"(["9","say ""hi"".txt","0","1","s","BT","6","7","8","9","10","11","12"])",
                   {"9"},
                   {QStringLiteral("say \"hi\".txt")}},
        ReportCase{"more than 64 tasks are all kept", manyTasks(200), idsUpTo(200), {}},
        ReportCase{"binary noise gives no rows and no crash",
                   std::string("\0\x01\xff\"\",[,[\"\n\"", 12),
                   {},
                   {}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TaskReport, FieldsTakenInOrderAndProgressTrimmed) {
    const std::string body =
        R"(["42","name"," 0.25 	","3.5 MB","Vfat4G","NZB","six","12 KBps","3 KBps","n9","n10","n11","n12","extra"])";
    TaskReportTable table;
    TaskReport::Scratch scratch;
    ASSERT_EQ(TaskReport::parse(body, table, scratch), 1);
    const TaskReportRow& row = table.rows[0];
    EXPECT_EQ(row.id, "42");
    EXPECT_EQ(row.progress(), "0.25");
    EXPECT_EQ(row.size(), "3.5 MB");
    EXPECT_EQ(row.status(), "Vfat4G");
    EXPECT_EQ(row.type(), "NZB");
    EXPECT_EQ(row.fields[6], "six");
    EXPECT_EQ(row.downloadSpeed(), "12 KBps");
    EXPECT_EQ(row.uploadSpeed(), "3 KBps");
    EXPECT_EQ(row.fields[12], "n12");
}

TEST(TaskReport, ReparseResetsCountAndReusesRows) {
    TaskReportTable table;
    TaskReport::Scratch scratch;
    TaskReport::parse(taskLine("1", "a") + "\n" + taskLine("2", "b"), table, scratch);
    ASSERT_EQ(table.count, 2);
    TaskReport::parse(taskLine("3", "c"), table, scratch);
    EXPECT_EQ(table.count, 1);
    EXPECT_EQ(table.rows[0].id, "3");
}

TEST(TaskReport, IdentifierRules) {
    const struct {
        const char* item;
        const char* id;
    } cases[] = {
        {R"(["abc")", "abc"}, {R"([[["abc")", "abc"}, {"abc", "abc"}, {R"(["")", ""},
        {R"(x")", ""},        {R"(")", ""},           {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TaskReport::identifierFromItem(c.item), c.id) << c.item;
}

}  // namespace
}  // namespace fv
