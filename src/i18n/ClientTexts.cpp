#include "i18n/ClientTexts.h"

namespace fv {
namespace {

constexpr ClientTexts::Entry kTable[] = {
    {"TrayMsgDownloadFinished", Ct::TrayDownloadFinished, "Download finished"},
    {"FormMainAskRemove", Ct::AskRemove, "Remove the selected task?"},
    {"FormMainFilterTorrentNzb", Ct::FilterTorrentNzb, "Torrent and NZB files"},
    {"FormMainFilterAll", Ct::FilterAll, "All files"},
    {"FvctlUsage", Ct::FvctlUsage, "Usage: fvctl COMMAND [ARGUMENTS]"},
    {"FvctlAbout", Ct::FvctlAbout,
     "The Ferrovane client's abilities without a window: the same settings file and upload "
     "queue as the desktop client (folder: FV_DATA_DIR, language: FV_LANGUAGE)."},
    {"FvctlCommands", Ct::FvctlCommands, "Commands:"},
    {"FvctlCommandHelp", Ct::FvctlCommandHelp, "\"fvctl COMMAND --help\" describes one command."},
    {"FvctlHelpOption", Ct::FvctlHelpOption, "Shows this help."},
    {"FvctlExitCodes", Ct::FvctlExitCodes, "Exit codes:"},
    {"FvctlExit0", Ct::FvctlExit0, "done"},
    {"FvctlExit1", Ct::FvctlExit1, "wrong command or arguments"},
    {"FvctlExit2", Ct::FvctlExit2,
     "bad input: unknown task ID, unreadable torrent, no file chosen"},
    {"FvctlExit3", Ct::FvctlExit3,
     "the router did not answer (offline); an added file stays queued"},
    {"FvctlExit4", Ct::FvctlExit4, "the router refused the connection"},
    {"FvctlExit5", Ct::FvctlExit5, "the router rejected the account"},
    {"FvctlExit6", Ct::FvctlExit6, "the router is busy: another user is logged in"},
    {"FvctlExit7", Ct::FvctlExit7, "the task already exists on the router"},
    {"FvctlExit8", Ct::FvctlExit8, "the router's task list or disk is full"},
    {"FvctlExit9", Ct::FvctlExit9, "the router could not take the file"},
    {"FvctlExit10", Ct::FvctlExit10, "no settings file, or the queue file cannot be written"},
    {"FvctlExit11", Ct::FvctlExit11, "another process is sending the queue; the file stays queued"},
    {"FvctlExit12", Ct::FvctlExit12,
     "nothing to open: the file is not on the share, or the router gave no link"},
    {"FvctlExit13", Ct::FvctlExit13, "another program holds the discovery port 9999"},
    {"FvctlTitleID", Ct::FvctlTitleId, "ID"},
    {"FvctlTitleName", Ct::FvctlTitleName, "Name"},
    {"FvctlTitleType", Ct::FvctlTitleType, "Type"},
    {"FvctlTitleProgress", Ct::FvctlTitleProgress, "Progress"},
    {"FvctlTitleStatus", Ct::FvctlTitleStatus, "Status"},
    {"FvctlTitleSize", Ct::FvctlTitleSize, "Size"},
    {"FvctlTitleDown", Ct::FvctlTitleDown, "Down"},
    {"FvctlTitleUp", Ct::FvctlTitleUp, "Up"},
    {"FvctlSummary_status", Ct::FvctlSummaryStatus,
     "Lists the router's tasks, then the files waiting in the queue."},
    {"FvctlSummary_pause", Ct::FvctlSummaryPause, "Pauses the task with this ID."},
    {"FvctlSummary_resume", Ct::FvctlSummaryResume, "Resumes the task with this ID."},
    {"FvctlSummary_remove", Ct::FvctlSummaryRemove,
     "Removes the task with this ID from the router."},
    {"FvctlSummary_pause-all", Ct::FvctlSummaryPauseAll, "Pauses every task."},
    {"FvctlSummary_resume-all", Ct::FvctlSummaryResumeAll, "Resumes every task."},
    {"FvctlSummary_clear", Ct::FvctlSummaryClear, "Clears the completed tasks."},
    {"FvctlSummary_add", Ct::FvctlSummaryAdd,
     "Queues a .torrent or .nzb file and sends it to the router."},
    {"FvctlSummary_queue", Ct::FvctlSummaryQueue,
     "Lists the local upload queue; --send sends what waits, --remove deletes."},
    {"FvctlSummary_torrent", Ct::FvctlSummaryTorrent,
     "Lists the files inside a torrent (* marks the preselected ones)."},
    {"FvctlSummary_test", Ct::FvctlSummaryTest, "Runs the connection test and prints its outcome."},
    {"FvctlSummary_settings", Ct::FvctlSummarySettings,
     "Shows the connection and the router's BitTorrent/NZB settings; \"set KEY=VALUE...\" "
     "changes router values."},
    {"FvctlSummary_discover", Ct::FvctlSummaryDiscover,
     "Searches the local networks for routers and lists them."},
    {"FvctlSummary_open", Ct::FvctlSummaryOpen,
     "Opens a task's file or folder from the router's share."},
    {"FormMainTimeLeftHint", Ct::TimeLeftHint, "Time left:"},
    {"FormMainFilterHint", Ct::FilterHint, "Search tasks (Ctrl+F)"},
    {"FormMainFilterChoiceAll", Ct::FilterChoiceAll, "All tasks"},
    {"FormMainFilterChoiceDownloading", Ct::FilterChoiceDownloading, "Downloading"},
    {"FormMainFilterChoiceFinished", Ct::FilterChoiceFinished, "Seeding/finished"},
    {"FormMainFilterChoicePaused", Ct::FilterChoicePaused, "Paused"},
    {"FormMainFilterChoiceQueued", Ct::FilterChoiceQueued, "Queued uploads"},
    {"FormMainSpeedPlot", Ct::SpeedPlot, "Speed, last 10 minutes"},
    {"FvctlTitleLeft", Ct::FvctlTitleLeft, "Left"},
    {"FormUpdatePackageSaved", Ct::UpdatePackageSaved,
     "The new version was saved as %1 and handed to the software installer."},
    {"FormUpdatePackageNotOpened", Ct::UpdatePackageNotOpened,
     "The new version was saved as %1. Open it to install it."},
    {"FormUpdateChecksumMismatch", Ct::UpdateChecksumMismatch,
     "The downloaded file did not match its published checksum and was deleted."},
    {"FormUpdateNoChecksum", Ct::UpdateNoChecksum,
     "The update server published no checksum for the new version, so nothing was kept."},
    {"FormUpdateDownloadFailed", Ct::UpdateDownloadFailed,
     "The download did not finish; nothing was kept."},
    {"FormUpdateUntrusted", Ct::UpdateUntrusted,
     "The update server's certificate could not be verified."},
    {"FvctlSummary_version", Ct::FvctlSummaryVersion,
     "Shows this program's version; --check asks the update server for a newer one."},
    {"FvctlVersionNewer", Ct::FvctlVersionNewer, "A newer version is published: %1"},
};
static_assert(std::size(kTable) == ClientTexts::kCount, "one entry per text");

}  // namespace

std::span<const ClientTexts::Entry> ClientTexts::table() {
    return kTable;
}

ClientTexts::ClientTexts() : ClientTexts(IniSection()) {}

const ClientTexts& ClientTexts::english() {
    static const ClientTexts texts;
    return texts;
}

ClientTexts::ClientTexts(const IniSection& section) {
    for (const Entry& e : kTable)
        texts_[static_cast<size_t>(e.text)] = section.text(e.key, e.englishDefault);
}

QString ClientTexts::commandSummary(const QString& name, const QString& fallback) const {
    const std::string key = std::string(kSummaryPrefix) + name.toStdString();
    for (const Entry& e : kTable)
        if (key == e.key)
            return (*this)[e.text];
    return fallback;
}

}  // namespace fv
