// Ties a settings record's members to the elements of its column, by element name. The
// element's rule and control come from SetupColumn's table; this only says which member
// holds the element's value, so the file codec and the form binding share one mapping.
#pragma once

#include "settings/SetupColumn.h"

#include <QString>
#include <cstring>
#include <optional>
#include <variant>

namespace fv {

template <class Record>
struct ColumnField {
    using Member = std::variant<std::optional<QString> Record::*, std::optional<bool> Record::*,
                                std::optional<int> Record::*>;
    const char* element;
    Member member;
};

template <class Record>
const ColumnField<Record>* columnFieldOf(const char* element) {
    for (const ColumnField<Record>& f : Record::fields()) {
        if (std::strcmp(f.element, element) == 0)
            return &f;
    }
    return nullptr;
}

}  // namespace fv
