#include "app/TaskView.h"

#include "app/ShareTarget.h"
#include "platform/DebugLog.h"

namespace fv {

TaskView::TaskView(Deps deps)
    : deps_(std::move(deps)),
      pins_(deps_.pinFile),
      open_([](const QString& url) { DesktopOpener::openWithDesktop(url); }),
      inform_([](const QString&, const QString& text) { DebugLog::write(text); }) {
    if (!deps_.exchange)
        deps_.exchange = TlsLineClient::exchange;
}

void TaskView::view() {
    if (deps_.state->offline.load())
        return;
    const int row = deps_.model->selectedRow();
    if (row < 0 || row >= deps_.model->rowCount())
        return;
    const TaskListRow& selected = deps_.model->row(row);
    viewTask(selected.texts[TaskListRow::FileName], selected.texts[TaskListRow::Status]);
}

void TaskView::viewTask(const QString& name, const QString& status, Finished finished) {
    if (name.isEmpty()) {
        if (finished)
            finished({});
        return;
    }
    const bool done = ShareTarget::isFinished(status);
    if (deps_.records->connection().IsRemote)
        viewRemote(done, std::move(finished));
    else
        viewLocal(name, done, std::move(finished));
}

void TaskView::viewLocal(const QString& name, bool finished, Finished done) {
    LocalViewInput in;
    in.downloadFolder = deps_.general->get().DownloadFolder;
    in.taskName = name;
    in.localHost = deps_.localHost();
    in.serverAddress = deps_.records->connection().ServerAddress;
    in.finished = finished;
    in.opensFolder = opensFolder_;
    const ShareTarget target = ShareTarget::local(in);
    if (target.shareList) {
        opened(target.url, done);
        return;
    }
    deps_.share->check(target.url, [this, url = target.url, done](SmbEntry entry) {
        if (entry == SmbEntry::File || entry == SmbEntry::Folder) {
            DebugLog::write(QStringLiteral("Play: ") + url);
            opened(url, done);
        } else {
            informed((*deps_.texts)[Msg::FormMainMsg12], done);
        }
    });
}

void TaskView::viewRemote(bool finished, Finished done) {
    if (shareLinkRunning_) {
        // One request at a time: the router's answer belongs to the View that asked.
        DebugLog::write("View: a share-link request is still running; this View is refused");
        if (done)
            done({Outcome::Kind::Refused, {}, {}});
        return;
    }
    deps_.records->editConnection([](ConnectionProfile& c) {
        if (c.WebDavHttpsPort.isEmpty())
            c.WebDavHttpsPort = QStringLiteral("443");
    });
    const ConnectionProfile conn = deps_.records->connection();
    const GeneralSettingsValues::Values general = deps_.general->get();
    ShareLinkFetch::Input in;
    in.query = {conn.ServerAddress,        conn.UserName,        conn.Password,
                general.GeneralRouterName, general.DownloadDisk, finished};
    in.port = conn.WebDavHttpsPort;
    const QString router = CertificatePins::routerKey(conn.ServerAddress, conn.WebDavHttpsPort);
    in.pin = pins_.pinFor(router);
    const bool pinned = in.pin.has_value();
    shareLinkRunning_ = true;
    auto result = std::make_shared<ShareLinkFetch::Result>();
    deps_.runner->run(
        [in, result, exchange = deps_.exchange] {
            *result = ShareLinkFetch::execute(in, exchange);
        },
        [this, result, address = conn.ServerAddress, router, pinned, done] {
            onShareLink(*result, address, router, pinned, done);
        });
}

void TaskView::onShareLink(const ShareLinkFetch::Result& result, const QString& address,
                           const QString& router, bool pinned, Finished done) {
    DebugLog::write("TFormMain::GetWebDavDirThreadDone");
    shareLinkRunning_ = false;
    if (result.keyChanged) {
        informed((*deps_.texts)[Msg::FormShareMsg0], done);
        return;
    }
    if (!pinned && !result.keyPin.empty())
        pins_.remember(router, result.keyPin);
    const QString base = QStringLiteral("https://") + address.trimmed();
    if (!result.shareLink.empty())
        opened(base + QLatin1Char('/') + QString::fromUtf8(result.shareLink), done);
    else if (result.gracefulClose)
        opened(base, done);
    else
        informed((*deps_.texts)[Msg::FormMainMsg11], done);
}

void TaskView::openSambaFolder() {
    const QString folder = deps_.general->get().DownloadFolder;
    if (!folder.isEmpty())
        open_(ShareTarget::smbUrl(deps_.localHost(), folder));
}

void TaskView::openVeyra() {
    open_(QStringLiteral("https://") + deps_.localHost());
}

void TaskView::opened(const QString& url, const Finished& done) {
    open_(url);
    if (done)
        done({Outcome::Kind::Opened, url, {}});
}

void TaskView::informed(const QString& text, const Finished& done) {
    inform_((*deps_.texts)[Msg::FormMainMsg7], text);
    if (done)
        done({Outcome::Kind::Informed, {}, text});
}

}  // namespace fv
