#include "tasks/FvPageInfo.h"

#include <algorithm>

namespace fv {

_FVPAGE_INFO* _FVPAGE_INFO_ARRAY::nextRow() {
    if (count >= kMaxRows)
        return nullptr;
    if (static_cast<size_t>(count) >= rows.size())
        rows.resize(std::max<size_t>(kInitialRows, rows.size() * 2));
    return &rows[static_cast<size_t>(count)];
}

}  // namespace fv
