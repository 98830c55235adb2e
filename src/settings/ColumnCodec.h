// Reads a record from a column element of the settings document and writes it back, element
// by element in SetupColumn's table order. Unknown (or mis-cased) elements are skipped.
#pragma once

#include "settings/ColumnField.h"
#include "settings/ColumnValue.h"
#include "settings/SetupFormKind.h"

#include <pugixml.hpp>

namespace fv {

template <class Record>
class ColumnCodec {
  public:
    // Applies every known child of column in document order (later duplicates win).
    static void read(const pugi::xml_node& column, Record& record) {
        for (pugi::xml_node child = column.first_child(); child; child = child.next_sibling()) {
            if (child.type() != pugi::node_element)
                continue;
            const SetupColumn::Element* e = SetupColumn::find(Record::kKind, child.name());
            const ColumnField<Record>* f = columnFieldOf<Record>(child.name());
            if (!e || !f)
                continue;
            const QString text = QString::fromUtf8(child.text().get());
            std::visit([&](auto member) { ColumnValue::read(record.*member, *e, text); },
                       f->member);
            if constexpr (requires { Record::afterRead(record, *e); })
                Record::afterRead(record, *e);
        }
    }

    // Appends one child per element the form kind has, in table order, to column.
    static void write(pugi::xml_node column, const Record& record, SetupFormKind formKind) {
        for (const SetupColumn::Element& e : SetupColumn::elements(Record::kKind)) {
            if (formKind == SetupFormKind::StandAlone && !e.standAlone)
                continue;
            const ColumnField<Record>* f = columnFieldOf<Record>(e.element);
            const QString text =
                f ? std::visit([&](auto member) { return ColumnValue::text(record.*member); },
                               f->member)
                  : QString();
            column.append_child(e.element).text().set(
                SetupColumn::xmlSafe(text).toUtf8().constData());
        }
    }
};

}  // namespace fv
