// Item splitting of the router's comma-separated lines.
#include <gtest/gtest.h>

#include "router/CommaText.h"

namespace fv {
namespace {

struct SplitCase {
    std::string text;
    std::vector<std::string> items;
};

class CommaTextSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommaTextSplit, Items) {
    EXPECT_EQ(splitCommaText(GetParam().text), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CommaTextSplit,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"   ", {}}, SplitCase{"a,b,c", {"a", "b", "c"}},
                      SplitCase{"  a,  b", {"a", "b"}},
                      // the bracket example: quotes inside an unquoted item stay
                      SplitCase{"[\"7\",\"a b\"],x", {"[\"7\"", "a b", "]", "x"}},
                      SplitCase{"[\"7\",a b],x", {"[\"7\"", "a", "b]", "x"}},
                      SplitCase{"a b", {"a", "b"}}, SplitCase{"\"a b\"", {"a b"}},
                      SplitCase{"\"say \"\"hi\"\"\",2", {"say \"hi\"", "2"}},
                      SplitCase{"\"unclosed, still", {"unclosed, still"}},
                      SplitCase{"a,", {"a", ""}}, SplitCase{"a, ", {"a"}}, SplitCase{",", {"", ""}},
                      SplitCase{"a,,b", {"a", "", "b"}}, SplitCase{"\"\",x", {"", "x"}},
                      SplitCase{"\"q\"tail,z", {"q", "tail", "z"}},
                      SplitCase{"a\tb\r\n", {"a", "b"}},
                      SplitCase{"ferrovane.2.104,Ferrovane,yes,no",
                                {"ferrovane.2.104", "Ferrovane", "yes", "no"}},
                      SplitCase{std::string("a\0b", 3), {"a", "b"}}));

TEST(CommaText, HostileInputIsBounded) {
    EXPECT_EQ(splitCommaText(std::string(100000, ','), 50).size(), 50u);
    EXPECT_EQ(splitCommaText(std::string(100000, '"')).size(), 1u);
}

}  // namespace
}  // namespace fv
