// A skinned push button: a rounded 74 x 33 panel with normal, over and down pictures and a
// caption label on top (BtnAdd_Main with lab_btnAddTask, ...). Reachable with Tab; Space and
// Enter click it.
#pragma once

#include <QWidget>

#include "ui/Skin.h"

class QLabel;

namespace fv::ui {

class ImageButton : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 74;
    static constexpr int kHeight = 33;

    ImageButton(const QString& objectName, const QString& captionName, const QString& caption,
                QWidget* parent);

    QLabel* caption() const { return caption_; }
    void setCaption(const QString& text);
    // Another caption in the same place, hidden at first, for a button whose meaning changes
    // (OK / Next / Finish): the caption that is visible says what a click does.
    QLabel* addCaption(const QString& captionName, const QString& text);
    // Whether the form's enabled flag reaches this button. The main window's buttons stand in
    // for command buttons the logic disables after use, so theirs never does; the setup
    // area's panels follow it.
    void setFollowsEnabledFlag(bool on) { followsEnabledFlag_ = on; }
    bool followsEnabledFlag() const { return followsEnabledFlag_; }
    // Back to the normal picture (the pointer moved over the window's background).
    void resetPicture();
    Skin::Picture picture() const { return picture_; }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void setPicture(Skin::Picture picture);
    void setPointer(Qt::CursorShape shape);

    QLabel* makeCaption(const QString& captionName, const QString& text);

    QLabel* caption_;
    bool followsEnabledFlag_ = false;
    Skin::Picture picture_ = Skin::Picture::ButtonNormal;
};

}  // namespace fv::ui
