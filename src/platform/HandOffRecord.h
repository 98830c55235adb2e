// Frames exchanged between a second start and the running instance over the local socket.
// Every frame is: tag (32-bit little endian), payload size (32-bit little endian), payload.
//
//   tag 0  hand-off: exactly 1024 bytes, the path as UTF-16LE, NUL-terminated, zero-padded
//          (the original's copy-data record); holds paths of up to 511 UTF-16 units
//   tag 1  long hand-off: the same text for paths longer than 511 units, sized to fit and
//          ending in the terminator, so a long path is handed over whole, never cut
//   tag 2  restore the window (no payload)
//   tag 3  acknowledgement from the running instance: the previous frame has been handled
//
// The decoder checks the size against its tag before waiting for the payload, so a hostile
// size never makes the receiver buffer more than one maximal frame.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace fv {

class HandOffRecord {
  public:
    enum class Kind : uint32_t { HandOff = 0, LongHandOff = 1, Restore = 2, Ack = 3 };

    static constexpr int kHeaderBytes = 8;
    static constexpr int kRecordBytes = 1024;
    static constexpr int kMaxShortUnits = kRecordBytes / 2 - 1;  // 511
    static constexpr int kMaxLongUnits = 32767;  // the longest path any desktop produces
    static constexpr int kMaxFrameBytes = kHeaderBytes + (kMaxLongUnits + 1) * 2;

    struct Encoded {
        QByteArray bytes;  // empty when refused
        QString error;     // why a path was refused
    };

    enum class Status { Complete, NeedMore, Malformed };

    struct Decoded {
        Status status = Status::NeedMore;
        Kind kind = Kind::HandOff;
        QString path;      // hand-off frames only
        int consumed = 0;  // bytes of the input that form this frame
        QString error;     // why a frame was rejected
    };

    // A hand-off frame for a path; tag 0 when it fits the 1024-byte record, else tag 1.
    // Empty paths, paths holding NUL and paths over kMaxLongUnits are refused.
    static Encoded encodePath(const QString& path);

    // A frame without payload (Restore, Ack).
    static QByteArray encodeControl(Kind kind);

    // Reads the first frame of the bytes received so far.
    static Decoded decode(const char* data, qsizetype size);
    static Decoded decode(const QByteArray& bytes) {
        return decode(bytes.constData(), bytes.size());
    }
};

}  // namespace fv
