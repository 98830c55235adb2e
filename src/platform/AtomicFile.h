// Files are replaced whole: a crash mid-write leaves the old file or the new one, never a
// torn one, and files we write are readable by their owner only (they may hold credentials).
#pragma once

#include <QByteArray>
#include <QString>

namespace fv {

class AtomicFile {
  public:
    // Writes bytes to a temporary file beside path, syncs it and renames it over path.
    // Returns false with a readable reason in *error when anything fails; the old file is
    // then untouched.
    static bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);

    // Reads a whole file, refusing files larger than maxBytes (a hostile or damaged file
    // must not exhaust memory). Returns false when missing, unreadable or too large.
    static bool read(const QString& path, QByteArray* bytes, qint64 maxBytes = 64 << 20);
};

}  // namespace fv
