// One line of text cut with an ellipsis when it is wider than the label; text() keeps the whole
// text, and while it is cut the whole text is the label's tool tip.
#pragma once

#include <QLabel>

namespace fv::ui {

class ElidingLabel : public QLabel {
    Q_OBJECT

  public:
    ElidingLabel(const QString& objectName, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace fv::ui
