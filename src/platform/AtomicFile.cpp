#include "platform/AtomicFile.h"

#include <QFile>
#include <QSaveFile>

namespace fv {

bool AtomicFile::write(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool AtomicFile::read(const QString& path, QByteArray* bytes, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > maxBytes)
        return false;
    *bytes = file.read(maxBytes + 1);
    return bytes->size() <= maxBytes;
}

}  // namespace fv
