// TFormUpdate: the update window. It shows the update logic's form (UpdateFlow) in its
// widgets, forwards its show, the Update button, Cancel and the close image, and follows the
// download with its progress bar. Borderless with rounded corners; dragged by its background.
#pragma once

#include <QDialog>
#include <QPoint>
#include <memory>

#include "platform/Timer.h"
#include "update/UpdateFlow.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;

namespace fv {
class TextSet;
}

namespace fv::ui {

class ImageButton;
class SkinImage;

class UpdateWindow final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kWidth = 667;
    static constexpr int kHeight = 387;

    // applyLanguage writes the current language into the window at each show.
    UpdateWindow(UpdateFlow::Context context, std::function<void(UpdateWindow&)> applyLanguage,
                 QWidget* parent);
    ~UpdateWindow() override;

    UpdateFlow& flow() { return *flow_; }
    void applyTexts(const TextSet& texts);

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWidgets();
    void showControl(const QString& name);
    QLabel* label(const char* name, const QString& text, QRect geometry);

    QtTimer animation_;
    std::unique_ptr<UpdateFlow> flow_;
    std::function<void(UpdateWindow&)> applyLanguage_;
    QLabel* nowVersion_ = nullptr;
    QLabel* newVersion_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    ImageButton* ok_ = nullptr;
    ImageButton* cancel_ = nullptr;
    SkinImage* close_ = nullptr;
    bool moving_ = false;
    QPoint moveOffset_;
};

}  // namespace fv::ui
