// FVTask.xml: the upload queue on disk. UTF-16 XML with a "root" element and one "Column"
// per entry holding "FileName", "Status", "Checked", "FullPath" in this order.
//
// The file is shared with other processes (fvctl adds entries), so every read-modify-write
// runs under a lock file beside it, and every write replaces the file atomically.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "upload/UploadQueueEntry.h"

namespace fv {

class TaskFile {
  public:
    enum class LoadResult { Loaded, Missing, Damaged };

    explicit TaskFile(QString path) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    // Entries in file order. Only "Column" elements count; their fields are found by name.
    LoadResult load(std::vector<UploadQueueEntry>* entries) const;
    bool save(const std::vector<UploadQueueEntry>& entries, QString* error = nullptr) const;

    enum class UpdateResult { Written, Unchanged, LockBusy, WriteFailed };

    // Locked read-modify-write. change receives the file's entries (or fallback when the file
    // is missing or damaged) and returns false to leave the file alone. A damaged file is
    // kept beside the new one ("FVTask.xml.damaged") rather than silently replaced.
    // lockWaitMs bounds the wait for another process's lock (0 on the UI thread: try once).
    // On failure *error (when given) says why.
    UpdateResult write(const std::vector<UploadQueueEntry>& fallback,
                       const std::function<bool(std::vector<UploadQueueEntry>&)>& change,
                       std::vector<UploadQueueEntry>* result, int lockWaitMs,
                       QString* error = nullptr) const;
    // write() with the 5 s wait of a process that may block; true when written or unchanged.
    bool update(const std::vector<UploadQueueEntry>& fallback,
                const std::function<bool(std::vector<UploadQueueEntry>&)>& change,
                std::vector<UploadQueueEntry>* result = nullptr) const;

    // The document bytes for entries (UTF-16LE with BOM and declaration).
    static QByteArray serialize(const std::vector<UploadQueueEntry>& entries);
    // Parses bytes in any encoding pugixml detects; false when not a queue document.
    static bool parse(const QByteArray& bytes, std::vector<UploadQueueEntry>* entries);

  private:
    QString path_;
};

}  // namespace fv
