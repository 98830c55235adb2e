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
    const qint64 size = file.size();
    if (size > maxBytes)
        return false;
    // read(n) allocates n bytes before it reads: asking for the limit cost a 32 MiB buffer
    // on each reread of the queue file. One byte more than the file holds tells one that grew
    // meanwhile, and only then is the rest, up to the limit, read too.
    *bytes = file.read(size + 1);
    if (bytes->size() > size && bytes->size() <= maxBytes)
        bytes->append(file.read(maxBytes + 1 - bytes->size()));
    return bytes->size() <= maxBytes;
}

}  // namespace fv
