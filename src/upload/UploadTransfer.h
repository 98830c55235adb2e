// The transfer record `UploadTransfer`: the entry being sent and the answer code.
#pragma once

#include <QString>
#include <cstdint>

namespace fv {

struct UploadTransfer {
    QString FileName;
    QString Status;
    QString Checked;
    QString FullPath;
    int32_t BtResult = 0;  // answer code 0..10 of the last transfer
};

}  // namespace fv
