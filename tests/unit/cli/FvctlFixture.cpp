#include "FvctlFixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QThread>

#include "ClientSettingsFile.h"
#include "upload/TaskFile.h"

namespace fv::test {
namespace {

std::string bstr(const std::string& s) {
    return std::to_string(s.size()) + ":" + s;
}

std::string fileDict(const std::string& path, std::int64_t length) {
    return "d6:lengthi" + std::to_string(length) + "e4:pathl" + bstr(path) + "ee";
}

}  // namespace

std::string torrentBytes(const std::string& name, const std::vector<std::string>& files,
                         std::int64_t length) {
    std::string info = "d";
    if (files.size() == 1) {
        info += "6:lengthi" + std::to_string(length) + "e4:name" + bstr(files[0]);
    } else {
        info += "5:filesl";
        for (const auto& f : files)
            info += fileDict(f, length);
        info += "e4:name" + bstr(name);
    }
    info += "12:piece lengthi16384e6:pieces20:" + std::string(20, 'p') + "e";
    return "d8:announce30:http://127.0.0.1:6969/announce4:info" + info + "e";
}

void FvctlFixture::SetUp() {
    routersim::SimulatorConfig config;
    config.user = kUser;
    config.password = kPassword;
    config.discovery = false;
    sim = std::make_unique<routersim::Simulator>(config);
    std::string error;
    ASSERT_TRUE(sim->start(&error)) << error;
    writeSettings(kUser, kPassword);
}

void FvctlFixture::TearDown() {
    sim->stop();
}

namespace {

bool acceptsConnections(std::uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return connected;
}

}  // namespace

void FvctlFixture::refuse(bool on) {
    sim->faults(routersim::Listener::Service).setRefuse(on);
    const std::uint16_t port = sim->port(routersim::Listener::Service);
    QElapsedTimer clock;
    clock.start();
    while (acceptsConnections(port) == on && clock.elapsed() < 5000)
        QThread::msleep(2);
    ASSERT_NE(acceptsConnections(port), on) << "the listener did not follow the refuse switch";
}

void FvctlFixture::writeSettings(const std::string& user, const std::string& password) {
    routersim::ClientSettings s;
    s.address = "127.0.0.1";
    s.servicePort = sim->port(routersim::Listener::Service);
    s.authPort = sim->port(routersim::Listener::Auth);
    s.user = user;
    s.password = password;
    std::string error;
    ASSERT_TRUE(routersim::writeClientSettings(dataFile("FVSetup.xml").toStdString(), s, &error))
        << error;
}

std::unique_ptr<QProcess> FvctlFixture::start(const QStringList& arguments) const {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(programEnvironment());
    process->start(QStringLiteral(FVCTL_PATH), arguments);
    return process;
}

QProcessEnvironment FvctlFixture::programEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("FV_DATA_DIR", data_.path());
    env.insert("FV_RESOURCE_DIR", files_.path());
    env.insert("FV_LANGUAGE", language);
    env.insert("XDG_CONFIG_HOME", files_.path());
    env.insert("LC_ALL", "C");
    if (debugLog)
        env.insert("FV_DEBUG_LOG", "1");
    else
        env.remove("FV_DEBUG_LOG");
    env.remove("http_proxy");
    for (const auto& [name, value] : environment)
        env.insert(name, value);
    return env;
}

FvctlResult FvctlFixture::finish(QProcess& process) {
    FvctlResult r;
    if (process.state() != QProcess::NotRunning)
        process.waitForFinished(60000);
    if (process.state() != QProcess::NotRunning || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "fvctl did not end normally";
        process.kill();
        process.waitForFinished();
        return r;
    }
    r.exitCode = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

FvctlResult FvctlFixture::run(const QStringList& arguments) const {
    auto process = start(arguments);
    return finish(*process);
}

QString FvctlFixture::writeFile(const QString& name, const std::string& bytes) const {
    const QString path = files_.file(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), qint64(bytes.size()));
    return path;
}

std::vector<UploadQueueEntry> FvctlFixture::queueEntries() const {
    std::vector<UploadQueueEntry> entries;
    const auto loaded = TaskFile(dataFile("FVTask.xml")).load(&entries);
    EXPECT_NE(loaded, TaskFile::LoadResult::Damaged);
    return entries;
}

std::vector<std::string> FvctlFixture::controlTargets() const {
    std::vector<std::string> targets;
    for (const auto& r : sim->requests())
        if (r.target.find("fv_apply.cgi") != std::string::npos)
            targets.push_back(r.target);
    return targets;
}

}  // namespace fv::test
