// The service's task list.
#include "TaskBoard.h"

#include <algorithm>
#include <cstdio>

#include "WireText.h"

namespace routersim {

namespace {

std::string reportRow(const Task& t) {
    const std::string fields[13] = {t.id,
                                    t.name,
                                    formatProgress(t.doneBytes, t.sizeBytes),
                                    formatSize(t.sizeBytes),
                                    t.status,
                                    t.type,
                                    t.extra[0],
                                    formatSpeed(t.downBytesPerSec),
                                    formatSpeed(t.upBytesPerSec),
                                    t.extra[1],
                                    t.extra[2],
                                    t.extra[3],
                                    t.extra[4]};
    std::string row = "[";
    for (int i = 0; i < 13; ++i) {
        if (i > 0)
            row += ',';
        row += quoteItem(oneLine(fields[i]));
    }
    return row + "]";
}

bool isRunning(const std::string& status) {
    return status == "Downloading" || status == "Seeding";
}

}  // namespace

std::string formatSize(std::int64_t bytes) {
    static const char* units[] = {"B", "KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes);
    int unit = 0;
    while (value >= 1024.0 && unit < 4) {
        value /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", value, units[unit]);
    return text;
}

std::string formatSpeed(std::int64_t bytesPerSec) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f KB/s", static_cast<double>(bytesPerSec) / 1024.0);
    return text;
}

std::string formatProgress(std::int64_t done, std::int64_t size) {
    if (size <= 0)
        return "0";
    const double fraction =
        std::clamp(static_cast<double>(done) / static_cast<double>(size), 0.0, 1.0);
    // Plain decimal with "." and no exponent, trailing zeros dropped: 0.5, 1, 0.0001.
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", fraction);
    std::string out = text;
    while (out.back() == '0')
        out.pop_back();
    if (out.back() == '.')
        out.pop_back();
    return out;
}

std::string TaskBoard::nextId() {
    return std::to_string(++lastId_);
}

std::string TaskBoard::add(Task task) {
    std::lock_guard lock(mutex_);
    if (task.id.empty())
        task.id = nextId();
    tasks_.push_back(task);
    return task.id;
}

std::vector<Task> TaskBoard::tasks() const {
    std::lock_guard lock(mutex_);
    return tasks_;
}

std::optional<Task> TaskBoard::find(const std::string& id) const {
    std::lock_guard lock(mutex_);
    for (const auto& t : tasks_) {
        if (t.id == id)
            return t;
    }
    return std::nullopt;
}

bool TaskBoard::replace(const Task& task) {
    std::lock_guard lock(mutex_);
    for (auto& t : tasks_) {
        if (t.id == task.id) {
            t = task;
            return true;
        }
    }
    return false;
}

void TaskBoard::clear() {
    std::lock_guard lock(mutex_);
    tasks_.clear();
}

std::string TaskBoard::report(const std::string& injected) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> lines;
    for (const auto& t : tasks_)
        lines.push_back(lines.empty() ? "[" + reportRow(t) : "," + reportRow(t));
    // An injected line goes in verbatim, so tests can serve any damage they like.
    if (!injected.empty())
        lines.insert(lines.begin() + std::min<std::size_t>(1, lines.size()), injected);
    if (lines.empty())
        return "[]\n";
    std::string out;
    for (const auto& line : lines)
        out += line + "\n";
    out.insert(out.size() - 1, "]");
    return out;
}

bool TaskBoard::command(const std::string& word, const std::string& taskId) {
    std::lock_guard lock(mutex_);
    if (word == "pause_all" || word == "start_all") {
        for (auto& t : tasks_) {
            if (word == "pause_all" && isRunning(t.status))
                t.status = "Paused";
            if (word == "start_all" && t.status == "Paused")
                t.status = t.doneBytes >= t.sizeBytes ? "Seeding" : "Downloading";
        }
        return true;
    }
    if (word == "clear") {
        std::erase_if(tasks_, [](const Task& t) { return t.status == "Finished"; });
        return true;
    }
    const auto it =
        std::find_if(tasks_.begin(), tasks_.end(), [&](const Task& t) { return t.id == taskId; });
    if (it == tasks_.end())
        return false;
    if (word == "cancel") {
        tasks_.erase(it);
    } else if (word == "paused") {
        it->status = "Paused";
        it->downBytesPerSec = it->upBytesPerSec = 0;
    } else if (word == "start") {
        it->status = it->doneBytes >= it->sizeBytes ? "Seeding" : "Downloading";
    } else {
        return false;
    }
    return true;
}

TaskBoard::UploadResult TaskBoard::addTorrent(const TorrentInfo& torrent,
                                              const std::string& uploadName) {
    std::lock_guard lock(mutex_);
    for (const auto& t : tasks_) {
        if (t.infoHash == torrent.infoHashHex)
            return UploadResult::Exists;
    }
    Task task;
    task.id = nextId();
    task.name = torrent.name;
    task.type = "BT";
    task.status = "Waiting";
    task.sizeBytes = torrent.totalLength();
    task.infoHash = torrent.infoHashHex;
    for (const auto& f : torrent.files)
        task.files.push_back(f.path);
    task.uploadName = uploadName;
    tasks_.push_back(std::move(task));
    return UploadResult::Accepted;
}

void TaskBoard::addNzb(const std::string& name, std::int64_t size, const std::string& uploadName) {
    std::lock_guard lock(mutex_);
    Task task;
    task.id = nextId();
    task.name = name;
    task.type = "NZB";
    task.status = "Downloading";
    task.sizeBytes = size;
    task.uploadName = uploadName;
    tasks_.push_back(std::move(task));
}

bool TaskBoard::select(const std::string& uploadName, const std::string& selection) {
    std::lock_guard lock(mutex_);
    // The newest upload of that name wins: the client reuses random names.
    for (auto it = tasks_.rbegin(); it != tasks_.rend(); ++it) {
        if (it->uploadName == uploadName && it->type == "BT") {
            it->selection = selection;
            if (it->status == "Waiting")
                it->status = "Downloading";
            return true;
        }
    }
    return false;
}

void TaskBoard::advance(double seconds) {
    std::lock_guard lock(mutex_);
    for (auto& t : tasks_) {
        if (t.status != "Downloading")
            continue;
        t.doneBytes = std::min(
            t.sizeBytes, t.doneBytes + static_cast<std::int64_t>(t.downBytesPerSec * seconds));
        if (t.doneBytes >= t.sizeBytes) {
            t.status = t.type == "BT" ? "Seeding" : "Finished";
            t.downBytesPerSec = 0;
        }
    }
}

}  // namespace routersim
