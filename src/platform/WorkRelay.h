// Carries a worker's end back to the thread that started it: it lives on the starting
// thread, so a queued connection from it to the receiver is made and dropped there.
#pragma once

#include <QObject>

namespace fv {

class WorkRelay : public QObject {
    Q_OBJECT

  signals:
    void finished();
};

}  // namespace fv
