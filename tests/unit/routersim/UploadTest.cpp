// The upload script: answer words for torrents and NZB files, and the file choice that follows.
#include "SimFixture.h"

namespace routersim::test {
namespace {

std::string bstr(const std::string& s) {
    return std::to_string(s.size()) + ":" + s;
}

std::string singleFileTorrent(const std::string& name, long long length) {
    return "d8:announce" + bstr("http://tracker.test/announce") + "4:infod6:lengthi" +
           std::to_string(length) + "e4:name" + bstr(name) +
           "12:piece lengthi16384e6:pieces20:aaaaaaaaaaaaaaaaaaaaee";
}

std::string multiFileTorrent() {
    return "d4:infod5:filesld6:lengthi100e4:pathl3:cd15:a.txteed6:lengthi250e4:pathl5:b.binee"
           "e4:name5:album12:piece lengthi16384e6:pieces20:bbbbbbbbbbbbbbbbbbbbee";
}

std::string multipartUpload(const std::string& fileName, const std::string& type,
                            const std::string& data, std::vector<std::string>* headers) {
    const std::string boundary = "----------082516401911412";
    headers->push_back("Content-Type: multipart/form-data; boundary=" + boundary);
    headers->push_back("Content-Encoding: deflate");
    return "--" + boundary + "\r\nContent-Disposition: form-data; name=\"filename\"; filename=\"" +
           fileName + "\"\r\nContent-Type: " + type +
           "\r\nContent-Transfer-Encoding: binary\r\n\r\n" + data + "\r\n--" + boundary + "--\r\n";
}

class Upload : public SimFixture {
  protected:
    ParsedReply send(const std::string& fileName, const std::string& type,
                     const std::string& data) {
        std::vector<std::string> headers{basicHeader(kUser, kPassword)};
        const std::string body = multipartUpload(fileName, type, data, &headers);
        return fetch(port(), buildRequest("POST", "/ferrovane/fv_uploadbt.cgi", headers, body));
    }
    std::vector<Task> tasks() { return sim->board().tasks(); }
};

TEST_F(Upload, NewTorrentIsTakenWithItsFilesAndWaitsForTheChoice) {
    const auto reply = send("12345.torrent", "application/x-bittorrent", multiFileTorrent());
    EXPECT_EQ(reply.body, "BT_ACK_SUCESS\n");
    ASSERT_EQ(tasks().size(), 1u);
    const Task t = tasks()[0];
    EXPECT_EQ(t.name, "album");
    EXPECT_EQ(t.type, "BT");
    EXPECT_EQ(t.sizeBytes, 350);
    EXPECT_EQ(t.files, (std::vector<std::string>{"cd1/a.txt", "b.bin"}));
    EXPECT_EQ(t.status, "Waiting");

    const auto choice =
        get("//ferrovane//fv_uploadbt.cgi?filename=%2ftmp%2ffv%5c12345.torrent"
            "&download_type=0,1&D_type=3&t=4");
    EXPECT_EQ(choice.body, "ACK_SUCESS\n");
    EXPECT_EQ(tasks()[0].selection, "0,1");
    EXPECT_EQ(tasks()[0].status, "Downloading");
}

TEST_F(Upload, SameTorrentAgainAlreadyExists) {
    EXPECT_EQ(send("1.torrent", "application/x-bittorrent", singleFileTorrent("x.iso", 42)).body,
              "BT_ACK_SUCESS\n");
    EXPECT_EQ(send("2.torrent", "application/x-bittorrent", singleFileTorrent("x.iso", 42)).body,
              "BT_EXIST\n");
    EXPECT_EQ(send("3.torrent", "application/x-bittorrent", singleFileTorrent("y.iso", 42)).body,
              "BT_ACK_SUCESS\n");
    EXPECT_EQ(tasks().size(), 2u);
}

struct UploadCase {
    const char* label;
    const char* fileName;
    const char* type;
    std::string data;
    const char* answer;
    std::size_t tasks;
};

class UploadAnswer : public Upload, public ::testing::WithParamInterface<UploadCase> {};

TEST_P(UploadAnswer, IsTheRoutersWord) {
    const auto& c = GetParam();
    EXPECT_EQ(send(c.fileName, c.type, c.data).body, std::string(c.answer) + "\n");
    EXPECT_EQ(tasks().size(), c.tasks);
}

const std::string kNzb =
    "<?xml version=\"1.0\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n"
    "<head><meta type=\"name\">Holiday Photos</meta></head>\n"
    "<file subject=\"x\"><segments><segment bytes=\"1000\" number=\"1\">a@b</segment>"
    "<segment bytes=\"500\" number=\"2\">c@d</segment></segments></file>\n</nzb>\n";

INSTANTIATE_TEST_SUITE_P(
    Files, UploadAnswer,
    ::testing::Values(
        UploadCase{"nzb", "77.nzb", "application/NZB", kNzb, "ACK_SUCESS", 1},
        UploadCase{"nzbUpperCase", "77.NZB", "application/NZB", kNzb, "ACK_SUCESS", 1},
        UploadCase{"notAnNzb", "77.nzb", "application/NZB", "hello", "ACK_FAIL", 0},
        UploadCase{"truncatedTorrent", "1.torrent", "application/x-bittorrent",
                   singleFileTorrent("x", 1).substr(0, 30), "ACK_FAIL", 0},
        UploadCase{"garbage", "1.torrent", "application/x-bittorrent", "\x01\x02\xff", "ACK_FAIL",
                   0},
        UploadCase{"empty", "1.torrent", "application/x-bittorrent", "", "ACK_FAIL", 0}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(Upload, NzbTaskTakesItsAnnouncedNameAndSize) {
    send("77.nzb", "application/NZB", kNzb);
    ASSERT_EQ(tasks().size(), 1u);
    EXPECT_EQ(tasks()[0].name, "Holiday Photos");
    EXPECT_EQ(tasks()[0].type, "NZB");
    EXPECT_EQ(tasks()[0].sizeBytes, 1500);
}

TEST_F(Upload, BodyWithoutMultipartBoundaryFails) {
    const auto reply = fetch(
        port(), buildRequest("POST", "/ferrovane/fv_uploadbt.cgi",
                             {basicHeader(kUser, kPassword), "Content-Type: text/plain"}, "x"));
    EXPECT_EQ(reply.body, "ACK_FAIL\n");
}

TEST_F(Upload, ChunkedUploadIsReadWhole) {
    std::vector<std::string> headers{basicHeader(kUser, kPassword), "Transfer-Encoding: chunked"};
    const std::string body =
        multipartUpload("5.torrent", "application/x-bittorrent", multiFileTorrent(), &headers);
    std::string chunked;
    for (std::size_t pos = 0; pos < body.size(); pos += 50) {
        const std::string piece = body.substr(pos, 50);
        char size[16];
        std::snprintf(size, sizeof size, "%zx", piece.size());
        chunked += std::string(size) + "\r\n" + piece + "\r\n";
    }
    chunked += "0\r\n\r\n";
    std::string raw = "POST /ferrovane/fv_uploadbt.cgi HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    for (const auto& h : headers)
        raw += h + "\r\n";
    raw += "\r\n" + chunked;
    EXPECT_EQ(parseReply(exchange(port(), raw).bytes).body, "BT_ACK_SUCESS\n");
    ASSERT_EQ(tasks().size(), 1u);
    EXPECT_EQ(tasks()[0].sizeBytes, 350);
}

TEST_F(Upload, ChoiceForAnUnknownUploadFails) {
    EXPECT_EQ(get("//ferrovane//"
                  "fv_uploadbt.cgi?filename=%2ftmp%2f9.torrent&download_type=All&D_type=3&t=4")
                  .body,
              "ACK_FAIL\n");
}

TEST_F(Upload, ForcedAnswerWordReplacesTheVerdictWithoutATask) {
    for (const char* word :
         {"Timeout", "LIGHT_FULL", "HEAVY_FULL", "NNTP_FULL", "TOTAL_FULL", "DISK_FULL"}) {
        Faults f;
        f.answerWord = word;
        sim->faults(Listener::Service).set(f);
        EXPECT_EQ(send("1.torrent", "application/x-bittorrent", singleFileTorrent("x", 1)).body,
                  std::string(word) + "\n");
    }
    EXPECT_TRUE(tasks().empty());
}

}  // namespace
}  // namespace routersim::test
