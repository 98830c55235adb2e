// Fuzzes the decoder of the frames a second start sends the running instance over the local
// socket, reading a stream of frames as the receiver does. Besides memory safety it checks
// that a frame never claims more bytes than were received or than one maximal frame, that a
// decoded path never holds more characters than its payload carried (nor a NUL), and that the
// path encoded again decodes to the same path.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>

#include "FuzzSeeds.h"
#include "platform/HandOffRecord.h"

namespace {

using fv::HandOffRecord;
using fv_fuzz::check;

std::string frames(std::initializer_list<QByteArray> parts) {
    QByteArray all;
    for (const QByteArray& p : parts)
        all += p;
    return all.toStdString();
}

fv_fuzz::Seeds seeds() {
    const QByteArray shortPath =
        HandOffRecord::encodePath(QStringLiteral("/home/u/a.torrent")).bytes;
    const QByteArray longPath = HandOffRecord::encodePath(QString(600, QLatin1Char('x'))).bytes;
    const QByteArray restore = HandOffRecord::encodeControl(HandOffRecord::Kind::Restore);
    const QByteArray ack = HandOffRecord::encodeControl(HandOffRecord::Kind::Ack);
    QByteArray noTerminator = longPath;
    noTerminator[noTerminator.size() - 1] = 'y';
    noTerminator[noTerminator.size() - 2] = 'y';
    return {
        frames({shortPath, restore, ack}),
        frames({longPath, shortPath}),
        frames({shortPath.left(100)}),
        frames({noTerminator}),
        frames({QByteArray("\x01\x00\x00\x00\xff\xff\xff\xff", 8)}),
        frames({QByteArray("\x02\x00\x00\x00\x01\x00\x00\x00x", 9)}),
        frames({QByteArray("\x01\x00\x00\x00\x04\x00\x00\x00\x00\x00\x00\x00", 12)}),
    };
}

void checkFrame(const HandOffRecord::Decoded& d, qsizetype received) {
    if (d.status != HandOffRecord::Status::Complete) {
        check(d.path.isEmpty(), "only a complete frame has a path");
        return;
    }
    check(d.consumed >= HandOffRecord::kHeaderBytes, "a frame holds its header");
    check(d.consumed <= received, "a frame is never longer than what was received");
    check(d.consumed <= HandOffRecord::kMaxFrameBytes, "a frame is never over the maximum");
    const bool handOff =
        d.kind == HandOffRecord::Kind::HandOff || d.kind == HandOffRecord::Kind::LongHandOff;
    if (!handOff) {
        check(d.path.isEmpty() && d.consumed == HandOffRecord::kHeaderBytes,
              "a control frame carries nothing");
        return;
    }
    const qsizetype payloadUnits = (d.consumed - HandOffRecord::kHeaderBytes) / 2;
    check(!d.path.isEmpty() && d.path.size() < payloadUnits,
          "a path is shorter than its payload, which also holds the terminator");
    check(!d.path.contains(QChar(u'\0')), "a path holds no NUL");
    const HandOffRecord::Encoded again = HandOffRecord::encodePath(d.path);
    check(!again.bytes.isEmpty(), "a received path can be sent again");
    const HandOffRecord::Decoded back = HandOffRecord::decode(again.bytes);
    check(back.status == HandOffRecord::Status::Complete && back.path == d.path &&
              back.consumed == again.bytes.size(),
          "a path encoded again decodes to itself");
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The receiver keeps what arrived and takes frame after frame from its front.
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qsizetype at = 0;
    while (true) {
        const qsizetype left = bytes.size() - at;
        const HandOffRecord::Decoded d = HandOffRecord::decode(bytes.constData() + at, left);
        checkFrame(d, left);
        if (d.status != HandOffRecord::Status::Complete)
            break;
        at += d.consumed;
    }
    check(HandOffRecord::decode(nullptr, 0).status == HandOffRecord::Status::NeedMore,
          "nothing received, nothing decoded");
    return 0;
}
