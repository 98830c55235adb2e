#include "platform/HandOffRecord.h"

#include <QtEndian>

namespace fv {
namespace {

void appendU32(QByteArray& out, uint32_t value) {
    char bytes[4];
    qToLittleEndian<uint32_t>(value, bytes);
    out.append(bytes, 4);
}

uint32_t readU32(const char* data) {
    return qFromLittleEndian<uint32_t>(data);
}

QByteArray frame(HandOffRecord::Kind kind, const QByteArray& payload) {
    QByteArray out;
    out.reserve(HandOffRecord::kHeaderBytes + payload.size());
    appendU32(out, static_cast<uint32_t>(kind));
    appendU32(out, static_cast<uint32_t>(payload.size()));
    out.append(payload);
    return out;
}

QByteArray utf16le(const QString& text, qsizetype paddedBytes) {
    QByteArray out(paddedBytes, '\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<uint16_t>(text.at(i).unicode(), out.data() + 2 * i);
    return out;
}

HandOffRecord::Decoded malformed(const char* why) {
    HandOffRecord::Decoded result;
    result.status = HandOffRecord::Status::Malformed;
    result.error = QString::fromLatin1(why);
    return result;
}

// Size rule per tag; checked before the payload arrives.
const char* sizeProblem(uint32_t tag, uint32_t size) {
    switch (tag) {
        case 0:
            return size == HandOffRecord::kRecordBytes ? nullptr
                                                       : "hand-off record is not 1024 bytes";
        case 1:
            if (size % 2 != 0 || size < 4)
                return "long hand-off has an impossible size";
            return size <= (HandOffRecord::kMaxLongUnits + 1) * 2u ? nullptr
                                                                   : "long hand-off too large";
        case 2:
        case 3:
            return size == 0 ? nullptr : "control frame carries a payload";
        default:
            return "unknown frame tag";
    }
}

}  // namespace

HandOffRecord::Encoded HandOffRecord::encodePath(const QString& path) {
    if (path.isEmpty())
        return {{}, QStringLiteral("an empty path is not handed over")};
    if (path.contains(QChar(u'\0')))
        return {{}, QStringLiteral("the path contains a NUL character")};
    if (path.size() > kMaxLongUnits)
        return {{}, QStringLiteral("the path is longer than %1 characters").arg(kMaxLongUnits)};
    if (path.size() <= kMaxShortUnits)
        return {frame(Kind::HandOff, utf16le(path, kRecordBytes)), {}};
    return {frame(Kind::LongHandOff, utf16le(path, (path.size() + 1) * 2)), {}};
}

QByteArray HandOffRecord::encodeControl(Kind kind) {
    return frame(kind, {});
}

HandOffRecord::Decoded HandOffRecord::decode(const char* data, qsizetype size) {
    if (data == nullptr || size < kHeaderBytes)
        return {};
    const uint32_t tag = readU32(data);
    const uint32_t payloadSize = readU32(data + 4);
    if (const char* why = sizeProblem(tag, payloadSize))
        return malformed(why);
    if (size - kHeaderBytes < static_cast<qsizetype>(payloadSize))
        return {};

    Decoded result;
    result.kind = static_cast<Kind>(tag);
    result.consumed = kHeaderBytes + static_cast<int>(payloadSize);
    if (result.kind == Kind::Restore || result.kind == Kind::Ack) {
        result.status = Status::Complete;
        return result;
    }
    const char* payload = data + kHeaderBytes;
    const qsizetype units = payloadSize / 2;
    qsizetype length = 0;
    while (length < units && qFromLittleEndian<uint16_t>(payload + 2 * length) != 0)
        ++length;
    if (length == units)
        return malformed("hand-off path has no terminator");
    if (length == 0)
        return malformed("hand-off path is empty");
    if (result.kind == Kind::LongHandOff && length != units - 1)
        return malformed("long hand-off has data after its terminator");
    result.path.resize(length);
    for (qsizetype i = 0; i < length; ++i)
        result.path[i] = QChar(qFromLittleEndian<uint16_t>(payload + 2 * i));
    result.status = Status::Complete;
    return result;
}

}  // namespace fv
