// Lays out the setup area's pages row by row: a caption on the left of each row, its control
// on the right, every widget named with the product's control name.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

#include "ui/Skin.h"

namespace fv::ui {

inline constexpr int kSetupFieldLeft = 200;
inline constexpr int kSetupRowHeight = 28;

class Rows {
  public:
    // fieldLeft: where the controls start, right of the longest caption of the page.
    explicit Rows(QWidget* page, int fieldLeft = kSetupFieldLeft)
        : page_(page), fieldLeft_(fieldLeft) {}

    QLabel* caption(const QString& name, const QString& text, int x = 16, int width = 0) {
        auto* l = new QLabel(text, page_);
        l->setObjectName(name);
        l->setGeometry(x, y_, width > 0 ? width : fieldLeft_ - x - 6, kSetupRowHeight - 4);
        return l;
    }
    template <typename W>
    W* field(const QString& name, int width = 180, int x = -1) {
        auto* w = new W(page_);
        w->setObjectName(name);
        w->setGeometry(x < 0 ? fieldLeft_ : x, y_, width, kSetupRowHeight - 4);
        return w;
    }
    QLineEdit* edit(const QString& name, const QString& captionName, const QString& text,
                    int width = 180) {
        caption(captionName, text);
        return field<QLineEdit>(name, width);
    }
    QCheckBox* check(const QString& name, const QString& text, int x = -1) {
        auto* c = field<QCheckBox>(name, 300, x);
        c->setText(text);
        return c;
    }
    // A box whose caption is a label of its own (the language file names that label); a
    // click on the caption toggles the box.
    QCheckBox* captionedCheck(const QString& name, const QString& captionName, const QString& text,
                              int x, int width = 280) {
        auto* c = field<QCheckBox>(name, 20, x);
        c->setProperty("captionShownBy", captionName);
        QLabel* l = caption(captionName, text, x + 22, width);
        l->setProperty("toggles", name);
        l->setCursor(Qt::PointingHandCursor);
        return c;
    }
    // A message line in the warning colour, hidden until the logic shows it.
    QLabel* message(const QString& name, int width) {
        QLabel* l = caption(name, QString(), 16, width);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Skin::warning());
        l->setPalette(pal);
        l->hide();
        return l;
    }
    void next(int rows = 1) { y_ += rows * kSetupRowHeight; }
    int y() const { return y_; }
    QWidget* page() const { return page_; }

  private:
    QWidget* page_;
    int fieldLeft_;
    int y_ = 10;
};

inline QLineEdit* masked(QLineEdit* edit) {
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

}  // namespace fv::ui
