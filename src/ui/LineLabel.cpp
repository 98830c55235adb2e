#include "ui/LineLabel.h"

namespace fv::ui {

LineLabel::LineLabel(const QString& objectName, QWidget* parent)
    : ElidingLabel(objectName, parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

}  // namespace fv::ui
