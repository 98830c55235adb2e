// A label of the skinned list: one line of text, cut with an ellipsis when the column is too
// narrow; text() keeps the whole text. It lets the mouse through to the line beneath.
#pragma once

#include "ui/ElidingLabel.h"

namespace fv::ui {

class LineLabel : public ElidingLabel {
    Q_OBJECT

  public:
    LineLabel(const QString& objectName, QWidget* parent);
};

}  // namespace fv::ui
