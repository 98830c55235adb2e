// The main window's setup area: four pages (Connection, Bit Torrent, NZB, About) chosen by
// tabs, with "OK" and "Apply". It covers the task-list page while it shows. Every field
// carries the product's object name and is bound to the setup form, where the field rules
// and the setup flow live; this widget only lays the fields out and reports the clicks.
#pragma once

#include <QWidget>
#include <functional>

class QStackedWidget;
class QLabel;

namespace fv {
class FormState;
}

namespace fv::ui {

class FormBinder;
class ImageButton;

class SetupArea : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kTop = 46;

    explicit SetupArea(QWidget* parent);

    // Binds every field to the setup form; the page control follows its "PageControl_Setup".
    void bind(FormState& setup);
    void release();

    // The object names of the four tabs, in page order.
    static QStringList tabNames();

  signals:
    void tabClicked(int page);
    void okClicked();
    void applyClicked();
    void skipClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    // A larger main window: the panels and the sent line keep to the lower corners.
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* page(int index, const QString& name);
    void buildTabs();
    void buildConnectionPage();
    void buildBitTorrentPage();
    void buildNzbPage();
    void buildAboutPage();
    void showPageNamed(const QString& sheet);

    QStackedWidget* pages_ = nullptr;
    ImageButton* ok_ = nullptr;
    ImageButton* apply_ = nullptr;
    ImageButton* skip_ = nullptr;
    FormBinder* binder_ = nullptr;
    FormState* setup_ = nullptr;
};

}  // namespace fv::ui
