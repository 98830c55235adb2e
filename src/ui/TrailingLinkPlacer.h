// Keeps a link right after the sentence that leads to it ("... refer to Ferrovane utility"
// "FAQ."), whatever length the language gives the sentence: a blank's width after its end, or
// at the start of the next line when the sentence is 460 pixels wide or more.
#pragma once

#include <QObject>

class QLabel;

namespace fv::ui {

class TrailingLinkPlacer final : public QObject {
  public:
    static constexpr int kWrapWidth = 460;

    // Places the link each time the sentence's page is shown; both labels share a parent.
    TrailingLinkPlacer(QLabel* sentence, QLabel* link, int lineHeight);

    void place();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* sentence_;
    QLabel* link_;
    int lineHeight_;
};

}  // namespace fv::ui
