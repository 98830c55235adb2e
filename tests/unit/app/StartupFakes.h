// Recording stand-ins for the window, the later capabilities and the named timers: every
// call lands in one journal, so tests compare the order of start-up steps as a list.
#pragma once

#include <QStringList>

#include "app/MainWindowView.h"
#include "app/StartupHooks.h"
#include "app/VersionCheckStarter.h"
#include "platform/Timer.h"

namespace fv::test {

struct Journal {
    QStringList entries;
    void add(const QString& entry) { entries << entry; }
};

class JournalHooks final : public StartupHooks {
  public:
    explicit JournalHooks(Journal& journal) : j_(journal) {}
    void initTaskFile(const QString& path) override { j_.add("initTaskFile:" + path); }
    void saveTaskFile() override { j_.add("saveTaskFile"); }
    void closeTaskFile() override { j_.add("closeTaskFile"); }
    void addFileToQueue(const QString& path) override { j_.add("addFileToQueue:" + path); }
    void loadSetupXml(const QString& path) override { j_.add("loadSetupXml:" + path); }
    void commitConnectionAtStart() override { j_.add("commitConnectionAtStart"); }
    void prepareDrawing() override { j_.add("prepareDrawing"); }
    void applyLanguage(const QString& name) override { j_.add("applyLanguage:" + name); }
    void startSetupWizard() override { j_.add("startSetupWizard"); }

  private:
    Journal& j_;
};

class JournalView final : public MainWindowView {
  public:
    explicit JournalView(Journal& journal) : j_(journal) {}
    void setWindowCaption(const QString& caption) override { j_.add("caption:" + caption); }
    void setTaskListColumns(const QStringList& captions) override {
        j_.add("columns:" + captions.join('|'));
    }
    void setVersionLabel(const QString& text) override { j_.add("version:" + text); }
    void setConnectStatus(const QString& text) override { j_.add("status:" + text); }
    void showOfflineIndicator() override { j_.add("offlineIndicator"); }
    void layoutRefreshEdit() override { j_.add("layoutRefreshEdit"); }
    bool hasTopLevelWindowTitled(const QString& title) const override {
        return openTitles.contains(title);
    }
    void closeWindow() override { j_.add("closeWindow"); }

    QStringList openTitles;

  private:
    Journal& j_;
};

// Records switching on and off under the timer's name.
class JournalTimer final : public Timer {
  public:
    JournalTimer(Journal& journal, QString name) : j_(journal), name_(std::move(name)) {}
    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    void setEnabled(bool on) override {
        if (on != enabled_)
            j_.add(name_ + (on ? "=on" : "=off"));
        enabled_ = on;
    }
    bool enabled() const override { return enabled_; }
    void setHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

  private:
    Journal& j_;
    QString name_;
    int interval_ = 1000;
    bool enabled_ = false;
    std::function<void()> handler_;
};

class JournalVersionCheck final : public VersionCheckStarter {
  public:
    JournalVersionCheck(Journal& journal, bool ticked) : j_(journal), ticked_(ticked) {}
    bool checkAtStartTicked() const override { return ticked_; }
    void startVersionCheck() override { j_.add("startVersionCheck"); }

  private:
    Journal& j_;
    bool ticked_;
};

}  // namespace fv::test
