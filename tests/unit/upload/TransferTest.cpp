#include <QDir>
#include <QFile>
#include <deque>
#include <mutex>

#include <gtest/gtest.h>

#include "QStringPrinter.h"
#include "TestEnvironment.h"
#include "platform/DebugLog.h"
#include "upload/BtAnswer.h"
#include "upload/FileUpload.h"
#include "upload/UrlEscapePath.h"

namespace fv {
namespace {

struct AnswerCase {
    std::string reply;
    int code;
};

TEST(BtAnswer, WordsAreSearchedInTableOrder) {
    const AnswerCase cases[] = {
        {"BT_ACK_SUCESS", 0},
        {"x ACK_SUCESS y", 1},
        {"ACK_FAIL", 2},
        {"BT_EXIST", 3},
        {"LIGHT_FULL", 4},
        {"HEAVY_FULL", 5},
        {"NNTP_FULL", 6},
        {"TOTAL_FULL", 7},
        {"DISK_FULL", 8},
        {"Timeout", 9},
        {"", 10},
        {"<html>200 OK</html>", 10},
        {"timeout", 10},
        {"BT_EXIST ACK_FAIL", 2},
        {"DISK_FULL Timeout", 8},
        {"bt_ack_sucess", 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(classifyUploadAnswer(c.reply), c.code) << c.reply;
}

TEST(urlEscapePath, KeepsItsSetAndEscapesEverythingElseLowerCase) {
    const std::pair<std::string, std::string> cases[] = {
        {"/home/u/.local/12345.torrent", "/home/u/.local/12345.torrent"},
        {"()-_.+:/%=?&", "()-_.+:/%=?&"},
        {"a b", "a%20b"},
        {"C:\\Temp\\1.torrent", "C:%5cTemp%5c1.torrent"},
        {"\xC3\xA9", "%c3%a9"},
        {"~!*'#,;@[]", "%7e%21%2a%27%23%2c%3b%40%5b%5d"},
        {std::string("\x00\xff", 2), "%00%ff"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(urlEscapePath(in), out) << in;
}

TEST(tempCopyName, RangeAndSuffixFollowTheLowerCasedExtension) {
    const std::tuple<QString, unsigned, QString> cases[] = {
        {"/a/x.torrent", 123456, "23456.torrent"},
        {"/a/x.NZB", 12345, "345.nzb"},
        {"/a/x.nzb", 999, "999.nzb"},
        {"/a/x.nzb.torrent", 7, "7.torrent"},
        {"/a/noext", 100000, "0.torrent"},
    };
    for (const auto& [path, random, name] : cases)
        EXPECT_EQ(FileUpload::tempCopyName(path, random), name) << path.toStdString();
}

// Answers requests from a script, in order, and keeps what it was sent.
class ScriptedTransport : public HttpTransport {
  public:
    HttpResponse perform(const HttpRequest& request) override {
        std::lock_guard lock(mutex);
        requests.push_back(request);
        if (replies.empty())
            return HttpResponse{};
        HttpResponse r = replies.front();
        replies.pop_front();
        return r;
    }
    std::mutex mutex;
    std::deque<HttpResponse> replies;
    std::vector<HttpRequest> requests;
};

HttpResponse reply(const std::string& body) {
    HttpResponse r;
    r.replied = r.ok = true;
    r.statusCode = 200;
    r.statusText = "HTTP/1.1 200 OK";
    r.body = body;
    return r;
}

HttpResponse failure(const std::string& text) {
    HttpResponse r;
    r.failureText = text;
    return r;
}

class TransferFixture : public ::testing::Test {
  protected:
    TransferFixture() : ctx_(records_, transport_) {
        conn_.ServerAddress = "127.0.0.1";
        conn_.ServerPort = "8080";
        conn_.UserName = "admin";
        conn_.Password = "pw";
        records_.setConnection(conn_);
        records_.setSessionTokenHeader("Cookie: session=abc");
        QDir().mkpath(temp_.path());
    }
    int run(const QString& source, const QString& checked) {
        FileUpload::Options o;
        o.tempFolder = temp_.path();
        o.sleep = [this](int ms) { sleeps_.push_back(ms); };
        o.random = [this] { return draws_.empty() ? 42u : next(); };
        FileUpload worker(ctx_, conn_, o);
        UploadTransfer info;
        info.FullPath = source;
        info.Checked = checked;
        return worker.execute(info);
    }
    unsigned next() {
        const unsigned v = draws_.front();
        draws_.pop_front();
        return v;
    }
    QString source(const QString& name, const QByteArray& bytes) {
        const QString p = src_.file(name);
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return p;
    }
    std::vector<HttpRequest> posts() const {
        std::vector<HttpRequest> out;
        for (const auto& r : transport_.requests)
            if (r.method == HttpRequest::Method::Post)
                out.push_back(r);
        return out;
    }

    SettingsRecords records_;
    ScriptedTransport transport_;
    RouterContext ctx_;
    ConnectionProfile conn_;
    test::ScratchDir src_, temp_;
    std::vector<int> sleeps_;
    std::deque<unsigned> draws_;
};

TEST_F(TransferFixture, PostAndSelectionRequestAreExact) {
    const QByteArray torrent("d4:infod6:lengthi7eee\r\n--\0x", 25);
    const QString path = source("my file.torrent", torrent);
    draws_ = {54321};
    transport_.replies = {reply("BT_ACK_SUCESS"), reply("ignored")};
    EXPECT_EQ(run(path, "0,2"), 0);
    ASSERT_EQ(transport_.requests.size(), 2u);

    const HttpRequest& post = transport_.requests[0];
    EXPECT_EQ(post.url, "http://127.0.0.1:8080/ferrovane/fv_uploadbt.cgi");
    EXPECT_EQ(post.header("Content-Encoding"), "deflate");
    EXPECT_EQ(post.header("Cookie"), "session=abc");
    EXPECT_EQ(post.connectTimeoutMs, 5000);
    EXPECT_EQ(post.readTimeoutMs, 10000);
    const std::string prefix = "multipart/form-data; boundary=";
    ASSERT_EQ(post.contentType.rfind(prefix, 0), 0u);
    const std::string b = post.contentType.substr(prefix.size());
    const std::string expected = "--" + b +
                                 "\r\nContent-Disposition: form-data; name=\"filename\"; "
                                 "filename=\"54321.torrent\"\r\n"
                                 "Content-Type: application/x-bittorrent\r\n"
                                 "Content-Transfer-Encoding: binary\r\n\r\n" +
                                 torrent.toStdString() + "\r\n--" + b + "--\r\n";
    EXPECT_EQ(post.body, expected);

    const HttpRequest& get = transport_.requests[1];
    EXPECT_EQ(get.method, HttpRequest::Method::Get);
    const std::string tempPath = (temp_.path() + "/54321.torrent").toStdString();
    const std::string urlStart =
        "http://127.0.0.1:8080//ferrovane//fv_uploadbt.cgi?filename=" + urlEscapePath(tempPath) +
        "&download_type=0,2&D_type=3&t=";
    ASSERT_EQ(get.url.rfind(urlStart, 0), 0u) << get.url;
    ASSERT_EQ(get.url.size(), urlStart.size() + 1);
    EXPECT_TRUE(isdigit(static_cast<unsigned char>(get.url.back())));
    EXPECT_TRUE(get.contentType.empty());
    EXPECT_EQ(get.connectTimeoutMs, 2000);
    EXPECT_EQ(get.readTimeoutMs, 2000);
    EXPECT_TRUE(QDir(temp_.path()).isEmpty());
}

struct FlowCase {
    const char* name;
    QString file;
    std::vector<HttpResponse> replies;
    int code;
    int posts;
    bool selection;
    std::vector<int> sleeps;
    const char* logLine;
};

class TransferFlow : public TransferFixture, public ::testing::WithParamInterface<FlowCase> {};

TEST_P(TransferFlow, AnswerRepetitionAndCleanUp) {
    const FlowCase& c = GetParam();
    const QString path = source(c.file, "d8:announce0:e");
    transport_.replies.assign(c.replies.begin(), c.replies.end());
    draws_ = {11111, 11111, 22222};  // a repeated draw must not reuse the first name
    LogCapture log;
    EXPECT_EQ(run(path, "All"), c.code);
    const auto p = posts();
    ASSERT_EQ(int(p.size()), c.posts);
    EXPECT_EQ(int(transport_.requests.size()) - c.posts, c.selection ? 1 : 0);
    EXPECT_EQ(sleeps_, c.sleeps);
    if (p.size() == 2) {
        EXPECT_NE(p[0].body.substr(p[0].body.find("filename=\"")),
                  p[1].body.substr(p[1].body.find("filename=\"")));
    }
    const bool nzb = c.file.endsWith("nzb", Qt::CaseInsensitive);
    for (const auto& post : p)
        EXPECT_NE(post.body.find(nzb ? "Content-Type: application/NZB\r\n"
                                     : "Content-Type: application/x-bittorrent\r\n"),
                  std::string::npos);
    if (c.logLine) {
        EXPECT_TRUE(log.contains(c.logLine)) << c.logLine;
    }
    EXPECT_TRUE(log.contains("TarnsferBT()-end"));
    EXPECT_TRUE(QDir(temp_.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Transfer, TransferFlow,
    ::testing::Values(
        FlowCase{"Accepted", "a.torrent", {reply("ACK_SUCESS")}, 1, 1, false, {}, nullptr},
        FlowCase{"TorrentAccepted",
                 "a.torrent",
                 {reply("BT_ACK_SUCESS"), failure("Read timed out.")},
                 0,
                 1,
                 true,
                 {},
                 "TarnsferBtSelectHttpGet - http connect fault!; E.Message = "},
        FlowCase{"NzbUpperCase", "b.NZB", {reply("ACK_SUCESS")}, 1, 1, false, {}, nullptr},
        FlowCase{"TimeoutThenAccepted",
                 "a.torrent",
                 {reply("Timeout"), reply("ACK_SUCESS")},
                 1,
                 2,
                 false,
                 {4000},
                 "TarnsferBT - TryOne"},
        FlowCase{"TimeoutTwice",
                 "a.torrent",
                 {reply("Timeout"), reply("Timeout")},
                 9,
                 2,
                 false,
                 {4000},
                 "TarnsferBT - TryOne"},
        FlowCase{"ConnectionRefused",
                 "a.torrent",
                 {failure("Socket Error # 10061 Connection refused")},
                 10,
                 1,
                 false,
                 {},
                 "TarnsferBT - E.Message = Socket Error # 10061"},
        FlowCase{"HtmlPageWithoutWord",
                 "a.torrent",
                 {reply("<html>hello</html>")},
                 10,
                 1,
                 false,
                 {},
                 nullptr},
        FlowCase{"FullAnswer", "a.torrent", {reply("LIGHT_FULL")}, 4, 1, false, {}, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// More than an upload may carry is refused here, before a byte goes out, and said as such.
TEST_F(TransferFixture, OversizedSourceUploadsNothing) {
    const QString path = src_.file("huge.torrent");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize((qint64(64) << 20) + 1));  // sparse: no real 64 MB written
    }
    EXPECT_EQ(run(path, "All"), kTooLarge);
    EXPECT_TRUE(transport_.requests.empty());
    EXPECT_TRUE(QDir(temp_.path()).isEmpty());
}

TEST_F(TransferFixture, MissingSourceUploadsNothing) {
    LogCapture log;
    EXPECT_EQ(run(src_.file("gone.torrent"), "All"), kUnreadable);
    EXPECT_TRUE(transport_.requests.empty());
    EXPECT_TRUE(log.contains("TarnsferBT-FileStream fail::"));
    EXPECT_TRUE(QDir(temp_.path()).isEmpty());
}

}  // namespace
}  // namespace fv
