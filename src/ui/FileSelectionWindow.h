// The torrent file-selection window: a frameless skinned window with the added file's name,
// a five-row list (check image, ID, name, size per row) with its own scroll bar, sortable
// column titles, "Select All", OK, Cancel and a close image. Modeless; deletes itself when
// closed, so several can be open at once. All decisions are FileSelectionModel's.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "upload/FileSelectionModel.h"

namespace fv {
class TextSet;
}

class QCheckBox;
class QLabel;

namespace fv::ui {

class ImageButton;
class SkinImage;

class FileSelectionWindow : public QWidget {
    Q_OBJECT

  public:
    struct Hooks {
        // addFile of the upload queue (only when something is chosen).
        std::function<void(const QString& fileName, const QString& checked,
                           const QString& fullPath)>
            appendQueueEntry;
        // After every OK: reload the queue list, early refresh, Retry, mark the confirmation.
        std::function<void()> afterConfirm;
        bool mainShown = true;            // main-shown hint: false brings this window forward
        bool* positionByTimer = nullptr;  // position-by-timer hint, cleared once used
        QWidget* mainWindow = nullptr;    // centred on after the short timer
        // Each show: the language's texts (applyTexts).
        std::function<void(FileSelectionWindow&)> applyLanguage;
    };

    FileSelectionWindow(FileSelectionModel model, Hooks hooks, QWidget* parent = nullptr);

    const FileSelectionModel& model() const { return model_; }

    // ApplyLanguage's block of this window: captions, column titles, buttons, caption.
    void applyTexts(const TextSet& texts);

    void confirmSelection();
    void cancelSelection();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Line {
        SkinImage* check;
        QLabel* id;
        QLabel* name;
        QLabel* size;
    };
    void buildWidgets();
    void drawRows();
    void scrollClick(const char* handler, int rows);
    QLabel* label(const QString& objectName, const QString& text, QRect geometry);
    void bringForward();

    FileSelectionModel model_;
    Hooks hooks_;
    QLabel* title_ = nullptr;
    std::array<QLabel*, 3> columnTitles_{};
    std::array<Line, FileSelectionModel::kVisibleRows> lines_{};
    SkinImage* close_ = nullptr;
    SkinImage* up_ = nullptr;
    SkinImage* down_ = nullptr;
    SkinImage* track_ = nullptr;
    SkinImage* thumb_ = nullptr;
    QCheckBox* selectAll_ = nullptr;
    QLabel* selectAllLabel_ = nullptr;
    ImageButton* ok_ = nullptr;
    ImageButton* cancel_ = nullptr;
};

}  // namespace fv::ui
