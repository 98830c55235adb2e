#include "upload/TaskFile.h"

#include <QFile>
#include <QLockFile>
#include <pugixml.hpp>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/LockFiles.h"

namespace fv {
namespace {

constexpr qint64 kMaxTaskFileBytes = 16 << 20;

QString childText(const pugi::xml_node& column, const char* name) {
    return QString::fromUtf8(column.child(name).child_value());
}

void addText(pugi::xml_node parent, const char* name, const QString& value) {
    parent.append_child(name).append_child(pugi::node_pcdata).set_value(value.toUtf8().constData());
}

class StringWriter : public pugi::xml_writer {
  public:
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), qsizetype(size));
    }
    QByteArray out;
};

}  // namespace

QByteArray TaskFile::serialize(const std::vector<UploadQueueEntry>& entries) {
    pugi::xml_document doc;
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-16";
    auto root = doc.append_child("root");
    for (const auto& e : entries) {
        auto column = root.append_child("Column");
        addText(column, "FileName", e.FileName);
        addText(column, "Status", e.Status);
        addText(column, "Checked", e.Checked);
        addText(column, "FullPath", e.FullPath);
    }
    StringWriter writer;
    doc.save(writer, "  ", pugi::format_default | pugi::format_write_bom, pugi::encoding_utf16_le);
    return writer.out;
}

bool TaskFile::parse(const QByteArray& bytes, std::vector<UploadQueueEntry>* entries) {
    pugi::xml_document doc;
    if (bytes.isEmpty() || !doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                                            pugi::parse_default | pugi::parse_ws_pcdata_single))
        return false;
    const auto root = doc.child("root");
    if (!root)
        return false;
    entries->clear();
    for (const auto& column : root.children("Column")) {
        UploadQueueEntry e;
        e.FileName = childText(column, "FileName");
        e.Status = childText(column, "Status");
        e.Checked = childText(column, "Checked");
        e.FullPath = childText(column, "FullPath");
        entries->push_back(std::move(e));
    }
    return true;
}

TaskFile::LoadResult TaskFile::load(std::vector<UploadQueueEntry>* entries) const {
    if (!QFile::exists(path_))
        return LoadResult::Missing;
    QByteArray bytes;
    if (!AtomicFile::read(path_, &bytes, kMaxTaskFileBytes) || !parse(bytes, entries))
        return LoadResult::Damaged;
    return LoadResult::Loaded;
}

bool TaskFile::save(const std::vector<UploadQueueEntry>& entries, QString* error) const {
    QString why;
    if (!AtomicFile::write(path_, serialize(entries), &why)) {
        DebugLog::write("SaveTaskFile failed; E.Message = " + why);
        if (error)
            *error = why;
        return false;
    }
    return true;
}

bool TaskFile::update(const std::vector<UploadQueueEntry>& fallback,
                      const std::function<bool(std::vector<UploadQueueEntry>&)>& change,
                      std::vector<UploadQueueEntry>* result) const {
    const UpdateResult r = write(fallback, change, result, 5000);
    return r == UpdateResult::Written || r == UpdateResult::Unchanged;
}

TaskFile::UpdateResult TaskFile::write(
    const std::vector<UploadQueueEntry>& fallback,
    const std::function<bool(std::vector<UploadQueueEntry>&)>& change,
    std::vector<UploadQueueEntry>* result, int lockWaitMs, QString* error) const {
    QLockFile lock(path_ + ".lock");
    // A holder that died leaves a stale lock, which QLockFile removes after this time.
    lock.setStaleLockTime(10000);
    // Writing without the lock could drop what another process (fvctl) writes meanwhile;
    // the caller keeps its change in memory and the next save carries it.
    if (!LockFiles::take(lock, path_ + ".lock", lockWaitMs)) {
        const bool busy = lock.error() == QLockFile::LockFailedError;
        DebugLog::write(busy ? "TaskFile: lock held by another process, nothing written"
                             : "TaskFile: lock cannot be created, nothing written");
        if (error)
            *error = busy ? QStringLiteral("the queue file is in use")
                          : QStringLiteral("cannot create ") + path_ + ".lock";
        return busy ? UpdateResult::LockBusy : UpdateResult::WriteFailed;
    }
    std::vector<UploadQueueEntry> entries;
    const LoadResult loaded = load(&entries);
    if (loaded != LoadResult::Loaded)
        entries = fallback;
    if (loaded == LoadResult::Damaged) {
        DebugLog::write("Load XML Document from file failed!");
        QFile::remove(path_ + ".damaged");
        QFile::copy(path_, path_ + ".damaged");
    }
    if (!change(entries)) {
        if (result)
            *result = entries;
        return UpdateResult::Unchanged;
    }
    if (!save(entries, error))
        return UpdateResult::WriteFailed;
    if (result)
        *result = entries;
    return UpdateResult::Written;
}

}  // namespace fv
