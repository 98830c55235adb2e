// A picture of the skin as a widget (img_ListViewLine_1, img_FVPageInfoListViewProgress_1,
// Img_Connected_Main, ...). The property "picture" names what it shows ("" for blank) so
// tests can read it.
#pragma once

#include <QWidget>
#include <optional>

#include "ui/Skin.h"

namespace fv::ui {

class SkinImage : public QWidget {
    Q_OBJECT

  public:
    explicit SkinImage(const QString& objectName, QWidget* parent = nullptr);

    void setPicture(std::optional<Skin::Picture> picture);
    std::optional<Skin::Picture> picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<Skin::Picture> picture_;
};

}  // namespace fv::ui
