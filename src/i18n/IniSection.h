// The entries of one section of an INI file: keys looked up without regard to ASCII case, as
// the system's INI reader does, each with its value as UTF-8.
#pragma once

#include <QString>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace fv {

class IniSection {
  public:
    // Keeps the first value of a key; a later one of the same key (any case) is ignored.
    void add(std::string_view key, std::string_view value);

    // A key or value as text. Unlike QString::fromUtf8 it keeps a leading U+FEFF: that is a
    // character of the line, not a byte-order mark (the file's own mark is gone by now).
    static QString toText(std::string_view utf8);

    std::optional<QString> value(std::string_view key) const;
    // The value, or fallback when the section lacks the key (an empty value is kept empty).
    QString text(std::string_view key, const char* fallback) const;
    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    struct Entry {
        std::string key;  // as the file spells it
        std::string value;
        bool operator==(const Entry&) const = default;
    };
    // By lower-cased key, for checks over the whole section.
    const std::map<std::string, Entry>& entries() const& { return entries_; }
    // Not of a temporary section: the map would go with it.
    const std::map<std::string, Entry>& entries() const&& = delete;

  private:
    std::map<std::string, Entry> entries_;
};

}  // namespace fv
