// The release note as text. The update server publishes it as a .zip holding one text file;
// a reply that is not an archive is shown as it came.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace fv {

struct ReleaseNote {
    // The text to show; empty when the reply could not be read.
    QString text;
    // Why nothing could be shown (a damaged archive, no text file in it, too large).
    QString problem;
};

class ReleaseNoteReader {
  public:
    // A note larger than this (unpacked) is refused rather than unpacked into memory.
    static constexpr qint64 kMaxTextBytes = 1 << 20;

    // simplifiedChinese picks the legacy encoding tried when the text is not Unicode
    // (GB18030 for the CHS note, Big5 for the CHT one).
    static ReleaseNote read(const QByteArray& reply, bool simplifiedChinese);

    // The bytes of a text file as text: UTF-8 or UTF-16 with a byte-order mark, valid UTF-8,
    // else the legacy Chinese encoding, else Latin-1.
    static QString decode(const QByteArray& bytes, bool simplifiedChinese);
};

}  // namespace fv
