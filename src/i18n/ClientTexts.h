// Texts the original showed in English whatever the language: the tray's notice, the
// remove question, the file dialog's filters, and fvctl's help and table titles. They are
// read from the same section of the language file as the windows' texts, under keys of
// their own, with these English defaults.
#pragma once

#include <QString>
#include <array>
#include <span>
#include <string_view>

#include "i18n/IniSection.h"

namespace fv {

enum class Ct : int {
    TrayDownloadFinished,
    AskRemove,
    FilterTorrentNzb,
    FilterAll,
    FvctlUsage,
    FvctlAbout,
    FvctlCommands,
    FvctlCommandHelp,
    FvctlHelpOption,
    FvctlExitCodes,
    FvctlExit0,
    FvctlExit1,
    FvctlExit2,
    FvctlExit3,
    FvctlExit4,
    FvctlExit5,
    FvctlExit6,
    FvctlExit7,
    FvctlExit8,
    FvctlExit9,
    FvctlExit10,
    FvctlExit11,
    FvctlExit12,
    FvctlExit13,
    FvctlTitleId,
    FvctlTitleName,
    FvctlTitleType,
    FvctlTitleProgress,
    FvctlTitleStatus,
    FvctlTitleSize,
    FvctlTitleDown,
    FvctlTitleUp,
    FvctlSummaryStatus,
    FvctlSummaryPause,
    FvctlSummaryResume,
    FvctlSummaryRemove,
    FvctlSummaryPauseAll,
    FvctlSummaryResumeAll,
    FvctlSummaryClear,
    FvctlSummaryAdd,
    FvctlSummaryQueue,
    FvctlSummaryTorrent,
    FvctlSummaryTest,
    FvctlSummarySettings,
    FvctlSummaryDiscover,
    FvctlSummaryOpen,
    TimeLeftHint,
    FilterHint,
    FilterChoiceAll,
    FilterChoiceDownloading,
    FilterChoiceFinished,
    FilterChoicePaused,
    FilterChoiceQueued,
    SpeedPlot,
    FvctlTitleLeft,
    UpdatePackageSaved,
    UpdatePackageNotOpened,
    UpdateChecksumMismatch,
    UpdateNoChecksum,
    UpdateDownloadFailed,
    UpdateUntrusted,
    FvctlSummaryVersion,
    FvctlVersionNewer,
};

class ClientTexts {
  public:
    static constexpr int kCount = static_cast<int>(Ct::FvctlVersionNewer) + 1;
    // The command summaries' keys are this prefix and the command's name.
    static constexpr std::string_view kSummaryPrefix = "FvctlSummary_";

    struct Entry {
        const char* key;
        Ct text;
        const char* englishDefault;
    };
    static std::span<const Entry> table();

    ClientTexts();  // English
    static const ClientTexts& english();
    // Every text from a section, English where it lacks the key.
    explicit ClientTexts(const IniSection& section);

    const QString& operator[](Ct text) const { return texts_[static_cast<size_t>(text)]; }
    // The text of fvctl's command `name`, or fallback for a command the table lacks.
    QString commandSummary(const QString& name, const QString& fallback) const;

  private:
    std::array<QString, kCount> texts_;
};

}  // namespace fv
