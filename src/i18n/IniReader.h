// The reader of the language file's INI text. No Debian INI library keeps a value the way the
// original's reader did: inih by default ends a value at " ;" and reads lines into a fixed
// 200-byte buffer, QSettings turns commas into lists and backslashes into escapes, GKeyFile
// and Boost's ini parser give up on the whole file at the first broken line. So this is a
// small reader of its own, with a fuzz target (tests/fuzz/LanguageFileFuzz.cpp).
//
// Rules: "[NAME]" opens a section (name matched without regard to ASCII case); "key=value"
// lines follow; blanks around keys and values are dropped, everything else of a value is kept
// ("=", ";", "#", quotes, commas); a line starting with ";" or "#" is a comment; a value keeps
// at most kMaxValueChars characters, cut between characters, never inside one; the first
// occurrence of a key wins. A damaged line (no "=", no key, bytes that are not UTF-8, an
// unclosed "[") is skipped and the lines after it still count.
#pragma once

#include <string>
#include <string_view>

#include "i18n/IniSection.h"

namespace fv::ini {

inline constexpr int kMaxValueChars = 2047;
// A larger file is read up to this size; the language file is far smaller.
inline constexpr size_t kMaxFileBytes = 4u << 20;

// UTF-8 text of a file's bytes: a UTF-8 byte-order mark is dropped, UTF-16 with a byte-order
// mark is converted; anything else is taken as UTF-8 (checked line by line by readSection).
std::string utf8Of(std::string_view bytes);

// The entries of one section of an INI text (UTF-8 or UTF-16 with byte-order mark).
IniSection readSection(std::string_view bytes, std::string_view section);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool isUtf8(std::string_view bytes);

}  // namespace fv::ini
