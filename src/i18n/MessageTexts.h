// The message texts the windows and fvctl show, named by their language keys
// ("FormMainMsg0", ...). A MessageTexts holds one language's set; it starts as English and
// the language file replaces what its section holds. It is a value handed to whoever shows
// a message, so no text is a mutable global.
#pragma once

#include <QString>
#include <array>
#include <map>

#include "i18n/IniSection.h"

namespace fv {

enum class Msg : int {
    FormMainMsg0,
    FormMainMsg1,
    FormMainMsg2,
    FormMainMsg3,
    FormMainMsg4,
    FormMainMsg5,
    FormMainMsg6,
    FormMainMsg7,
    FormMainMsg8,
    FormMainMsg9,
    FormMainMsg10,
    FormMainMsg11,
    FormMainMsg12,
    FormMainMsg13,
    FormExitMsg0,
    FormExitMsg1,
    FormSetupMsg0,
    FormSetupMsg1,
    FormSetupMsg2,
    FormSetupMsg3,
    FormSetupMsg4,
    FormSetupMsg5,
    FormSetupMsg6,
    FormSetupMsg7,
    FormSetupMsg8,
    FormSetupMsg9,
    FormSetupMsg10,
    FormSetupMsg11,
    FormSetupMsg12,
    FormSetupMsg13,
    FormSetupMsg14,
    FormSetupMsg15,
    FormSetupMsg16,
    FormSetupMsg17,
    FormSetupMsg18,
    FormSetupMsg19,
    FormBtSelectMsg0,
    FormBtSelectMsg1,
    FormProgressMsg0,
    FormUpdateMag0,
    FormUpdateMag1,
    FormUpdateMag2,
    FormUpdateMag3,
    FormUpdateMag4,
    FormUpdateMag5,
    // Not in the original's table: the share link's pinned router key changed.
    FormShareMsg0,
};

class MessageTexts {
  public:
    static constexpr int kCount = 46;

    struct Entry {
        const char* key;  // the language file's key
        Msg msg;
        const char* englishDefault;
    };
    // Every text in table order, for the language file's reader.
    static const std::array<Entry, kCount>& table();

    // The English set, for code that shows a message without a language of its own.
    static const MessageTexts& english();

    MessageTexts();

    const QString& operator[](Msg msg) const { return texts_[static_cast<size_t>(msg)]; }
    void set(Msg msg, const QString& text) { texts_[static_cast<size_t>(msg)] = text; }

    // Every text from a language section (its keys matched without regard to case), or its
    // English default where the section lacks the key. Returns how many keys it held.
    int apply(const std::map<QString, QString>& section);
    int apply(const IniSection& section);
    // Takes other's texts, writing only those that differ: a worker may read an unchanged
    // text meanwhile, and every later show applies the same language again.
    void update(const MessageTexts& other);

  private:
    std::array<QString, kCount> texts_;
};

}  // namespace fv
