// A dozen realistic tasks for the demo.
#include "DemoTasks.h"

namespace routersim {

namespace {

constexpr std::int64_t MB = 1024 * 1024;

struct Seed {
    const char* name;
    const char* type;
    const char* status;
    std::int64_t size;
    double done;
    std::int64_t down;
    std::int64_t up;
};

const Seed kSeeds[] = {
    {"debian-12.8.0-amd64-DVD-1.iso", "BT", "Downloading", 3900 * MB, 0.42, 2100 * 1024,
     180 * 1024},
    {"ubuntu-24.04.1-desktop-amd64.iso", "BT", "Downloading", 5800 * MB, 0.07, 3400 * 1024,
     95 * 1024},
    {"Big Buck Bunny (4K).mkv", "BT", "Seeding", 890 * MB, 1.0, 0, 240 * 1024},
    {"Sintel.2010.1080p.mkv", "BT", "Paused", 1200 * MB, 0.63, 0, 0},
    {"archlinux-2024.12.01-x86_64.iso", "BT", "Finished", 1100 * MB, 1.0, 0, 0},
    {"Tears.of.Steel.2012.2160p.mov", "BT", "Vfat4G", 6400 * MB, 0.0, 0, 0},
    {"LibreOffice_24.8.3_Linux_x86-64_deb.tar.gz", "NZB", "Downloading", 220 * MB, 0.55,
     1500 * 1024, 0},
    {"Blender-4.3-linux-x64.tar.xz", "NZB", "Finished", 330 * MB, 1.0, 0, 0},
    {"Project Gutenberg Collection 2024", "NZB", "Paused", 2700 * MB, 0.18, 0, 0},
    {"fedora-workstation-41-x86_64.iso", "BT", "Waiting", 2300 * MB, 0.0, 0, 0},
    {"Élégie pour cordes — Live.flac", "BT", "Downloading", 480 * MB, 0.81, 650 * 1024, 60 * 1024},
    {"Cosmos Laundromat (2015).mp4", "BT", "Seeding", 740 * MB, 1.0, 0, 75 * 1024},
};

}  // namespace

void DemoTasks::populate(TaskBoard& board) {
    for (const auto& s : kSeeds) {
        Task t;
        t.name = s.name;
        t.type = s.type;
        t.status = s.status;
        t.sizeBytes = s.size;
        t.doneBytes = static_cast<std::int64_t>(static_cast<double>(s.size) * s.done);
        t.downBytesPerSec = s.down;
        t.upBytesPerSec = s.up;
        board.add(t);
    }
}

void DemoTasks::step(TaskBoard& board, double seconds) {
    std::uniform_real_distribution<double> wobble(0.8, 1.2);
    for (const auto& t : board.tasks()) {
        if (t.status != "Downloading" && t.status != "Seeding")
            continue;
        Task changed = t;
        const std::int64_t baseDown = t.type == "NZB" ? 1500 * 1024 : 1800 * 1024;
        if (t.status == "Downloading")
            changed.downBytesPerSec = static_cast<std::int64_t>(baseDown * wobble(random_));
        if (t.type == "BT")
            changed.upBytesPerSec = static_cast<std::int64_t>(120 * 1024 * wobble(random_));
        board.replace(changed);
    }
    board.advance(seconds);
}

}  // namespace routersim
