// The status card's plot of the last ten minutes: total download and upload speed as two lines
// over a time axis, with a round top and a middle line labelled in KB/s or MB/s. Drawn as
// vectors with lines on pixel centres, so it stays crisp at any display scale.
#pragma once

#include <QWidget>

#include "app/SpeedHistory.h"

namespace fv::ui {

class SpeedPlot : public QWidget {
    Q_OBJECT

  public:
    explicit SpeedPlot(QWidget* parent = nullptr);

    // The samples to draw; the history must outlive this widget.
    void setHistory(const SpeedHistory* history);
    // The title and the legend words ("Down", "Up").
    void setTexts(const QString& title, const QString& down, const QString& up);
    // The axis the last paint used, for the figures' tests.
    SpeedHistory::Axis axis() const;

    static QColor downColour();
    static QColor upColour();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const SpeedHistory* history_ = nullptr;
    QString title_;
    QString down_;
    QString up_;
};

}  // namespace fv::ui
