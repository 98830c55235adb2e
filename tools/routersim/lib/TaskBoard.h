// The service's task list: what the status report shows, what commands and uploads change, and
// the slow progress of the demo.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "BencodeReader.h"
#include "Task.h"

namespace routersim {

class TaskBoard {
  public:
    // Adds a task; an empty id gets the next free number. Returns the id.
    std::string add(Task task);
    std::vector<Task> tasks() const;
    std::optional<Task> find(const std::string& id) const;
    // Replaces the task with the same id; false when it is gone.
    bool replace(const Task& task);
    void clear();

    // The status report: one task per line, the first line opening the outer list, later
    // lines beginning with ",[" and the last one closing the outer list. `injected`, when not
    // empty, goes in as the second line (to serve malformed reports).
    std::string report(const std::string& injected = std::string()) const;

    // fv_ctrl words: cancel, paused, start (one task); pause_all, start_all, clear (all).
    // Returns false for an unknown word or task.
    bool command(const std::string& word, const std::string& taskId);

    enum class UploadResult { Accepted, Exists };
    UploadResult addTorrent(const TorrentInfo& torrent, const std::string& uploadName);
    void addNzb(const std::string& name, std::int64_t size, const std::string& uploadName);
    // Records the file choice for the upload with this file name; false if none is known.
    bool select(const std::string& uploadName, const std::string& selection);

    // Advances running tasks by this many seconds of transfer.
    void advance(double seconds);

  private:
    std::string nextId();

    mutable std::mutex mutex_;
    std::vector<Task> tasks_;
    unsigned long lastId_ = 100;
};

// Texts as the report shows them.
std::string formatSize(std::int64_t bytes);
std::string formatSpeed(std::int64_t bytesPerSec);
std::string formatProgress(std::int64_t done, std::int64_t size);

}  // namespace routersim
