// Item splitting of the router's comma-separated lines (the service line of the application
// list, each task line of the task report, the settings replies): "," delimits, '"' quotes.
//
//  - controls and spaces (codes 1-32) before an item are skipped;
//  - a quoted item runs to the next '"' not doubled; '""' inside stands for '"'; without a
//    closing quote it runs to the end;
//  - an unquoted item ends before "," or any code <= 32 (so "a b" gives two items); quotes
//    inside it stay as they are;
//  - empty items are kept; a "," that ends the text adds one more empty item;
//  - text after a closing quote that is not a delimiter starts an item of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fv {

// maxItems bounds the result for hostile input; items beyond it are dropped.
std::vector<std::string> splitCommaText(std::string_view text, size_t maxItems = 4096);

}  // namespace fv
