// The comma-and-quote item rules of the router's comma-separated lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fv {

// Replaces items with the items of text. Quoted items lose their quotes (a doubled quote
// stands for one); unquoted items end at "," or at any character of code 32 or less.
void SplitReportItems(std::string_view text, std::vector<std::string>& items);

}  // namespace fv
