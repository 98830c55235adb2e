#include "platform/HandOffRecord.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace fv {
namespace {

using Kind = HandOffRecord::Kind;
using Status = HandOffRecord::Status;

QByteArray header(uint32_t tag, uint32_t size) {
    QByteArray out(8, '\0');
    qToLittleEndian<uint32_t>(tag, out.data());
    qToLittleEndian<uint32_t>(size, out.data() + 4);
    return out;
}

QByteArray utf16(const QString& text) {
    QByteArray out(text.size() * 2, '\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<uint16_t>(text.at(i).unicode(), out.data() + 2 * i);
    return out;
}

struct RoundTripCase {
    const char* name;
    QString path;
    Kind expectedKind;
    int expectedFrameBytes;
};

class HandOffRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(HandOffRoundTrip, PathComesBackWhole) {
    const RoundTripCase& c = GetParam();
    const HandOffRecord::Encoded encoded = HandOffRecord::encodePath(c.path);
    ASSERT_TRUE(encoded.error.isEmpty()) << encoded.error.toStdString();
    ASSERT_EQ(encoded.bytes.size(), c.expectedFrameBytes);
    EXPECT_EQ(qFromLittleEndian<uint32_t>(encoded.bytes.constData()), uint32_t(c.expectedKind));

    const HandOffRecord::Decoded decoded = HandOffRecord::decode(encoded.bytes);
    ASSERT_EQ(decoded.status, Status::Complete) << decoded.error.toStdString();
    EXPECT_EQ(decoded.kind, c.expectedKind);
    EXPECT_EQ(decoded.consumed, encoded.bytes.size());
    EXPECT_EQ(decoded.path, c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HandOffRoundTrip,
    ::testing::Values(
        RoundTripCase{"Plain", QStringLiteral("/home/ana/B.TORRENT"), Kind::HandOff, 8 + 1024},
        RoundTripCase{"NonAscii", QStringLiteral(u"/home/jürgen/文件/ubuntu 😀.torrent"),
                      Kind::HandOff, 8 + 1024},
        RoundTripCase{"Longest511", QString(511, QLatin1Char('a')), Kind::HandOff, 8 + 1024},
        RoundTripCase{"First512GoesLong", QString(512, QLatin1Char('b')), Kind::LongHandOff,
                      8 + 513 * 2},
        RoundTripCase{"LongestAllowed", QString(HandOffRecord::kMaxLongUnits, QLatin1Char('c')),
                      Kind::LongHandOff, 8 + (HandOffRecord::kMaxLongUnits + 1) * 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HandOffRecord, ShortRecordIsTheOriginalLayout) {
    const QByteArray bytes = HandOffRecord::encodePath(QStringLiteral("/a.nzb")).bytes;
    ASSERT_EQ(bytes.size(), 8 + 1024);
    EXPECT_EQ(bytes.left(8), header(0, 1024));
    EXPECT_EQ(bytes.mid(8, 12), utf16(QStringLiteral("/a.nzb")));
    // Terminator and padding are zero.
    EXPECT_EQ(bytes.mid(20), QByteArray(1024 - 12, '\0'));
}

struct RefusedCase {
    const char* name;
    QString path;
};

class HandOffRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(HandOffRefused, GivesReasonAndNoBytes) {
    const HandOffRecord::Encoded encoded = HandOffRecord::encodePath(GetParam().path);
    EXPECT_TRUE(encoded.bytes.isEmpty());
    EXPECT_FALSE(encoded.error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HandOffRefused,
    ::testing::Values(RefusedCase{"Empty", QString()},
                      RefusedCase{"EmbeddedNul", QStringLiteral("/a") + QChar(u'\0') + "b"},
                      RefusedCase{"TooLong", QString(HandOffRecord::kMaxLongUnits + 1, 'x')}),
    [](const auto& info) { return std::string(info.param.name); });

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    Status status;
};

class HandOffDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(HandOffDecode, ClassifiesInput) {
    const HandOffRecord::Decoded decoded = HandOffRecord::decode(GetParam().bytes);
    EXPECT_EQ(decoded.status, GetParam().status);
    if (decoded.status == Status::Malformed) {
        EXPECT_FALSE(decoded.error.isEmpty());
    }
    if (decoded.status != Status::Complete) {
        EXPECT_TRUE(decoded.path.isEmpty());
    }
}

QByteArray shortRecordWithoutTerminator() {
    return header(0, 1024) + QByteArray(1024, 'A');
}

QByteArray shortRecord(const QString& text) {
    QByteArray payload = utf16(text);
    payload.resize(1024, '\0');
    return header(0, 1024) + payload;
}

INSTANTIATE_TEST_SUITE_P(
    Frames, HandOffDecode,
    ::testing::Values(
        DecodeCase{"Nothing", QByteArray(), Status::NeedMore},
        DecodeCase{"HalfHeader", header(0, 1024).left(5), Status::NeedMore},
        DecodeCase{"PayloadStillArriving", shortRecord("/x").left(500), Status::NeedMore},
        DecodeCase{"Complete", shortRecord("/x"), Status::Complete},
        DecodeCase{"GarbageAfterTerminatorIgnored",
                   header(0, 1024) + utf16("/x") + QByteArray(2, '\0') + QByteArray(1018, 'Z'),
                   Status::Complete},
        DecodeCase{"ShortSizeLies", header(0, 100) + QByteArray(100, '\0'), Status::Malformed},
        DecodeCase{"HugeSizeRejectedBeforePayload", header(0, 0xFFFFFFFFu), Status::Malformed},
        DecodeCase{"LongHugeSize", header(1, 0x7FFFFFFEu), Status::Malformed},
        DecodeCase{"LongOddSize", header(1, 7) + QByteArray(7, 'a'), Status::Malformed},
        DecodeCase{"NoTerminator", shortRecordWithoutTerminator(), Status::Malformed},
        DecodeCase{"EmptyPath", header(0, 1024) + QByteArray(1024, '\0'), Status::Malformed},
        DecodeCase{"LongDataAfterTerminator",
                   header(1, 8) + utf16("ab") + QByteArray(2, '\0') + utf16("c"),
                   Status::Malformed},
        DecodeCase{"UnknownTag", header(9, 0), Status::Malformed},
        DecodeCase{"RestoreWithPayload", header(2, 4) + QByteArray(4, '\0'), Status::Malformed},
        DecodeCase{"Restore", header(2, 0), Status::Complete},
        DecodeCase{"Ack", header(3, 0), Status::Complete}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HandOffRecord, FramesFollowingEachOtherAreReadOneByOne) {
    const QByteArray first = HandOffRecord::encodePath(QStringLiteral("/one.torrent")).bytes;
    const QByteArray stream = first + HandOffRecord::encodeControl(Kind::Restore);
    const HandOffRecord::Decoded a = HandOffRecord::decode(stream);
    ASSERT_EQ(a.status, Status::Complete);
    EXPECT_EQ(a.path, QStringLiteral("/one.torrent"));
    ASSERT_EQ(a.consumed, first.size());
    const HandOffRecord::Decoded b = HandOffRecord::decode(stream.mid(a.consumed));
    ASSERT_EQ(b.status, Status::Complete);
    EXPECT_EQ(b.kind, Kind::Restore);
}

}  // namespace
}  // namespace fv
