// The 45 shared message texts. Each starts with its English default; the language file
// replaces them when a language is applied (on the UI thread, before windows read them).
#pragma once

#include <QString>
#include <string_view>

namespace fv::msg {

extern QString FormMainMsg0;
extern QString FormMainMsg1;
extern QString FormMainMsg2;
extern QString FormMainMsg3;
extern QString FormMainMsg4;
extern QString FormMainMsg5;
extern QString FormMainMsg6;
extern QString FormMainMsg7;
extern QString FormMainMsg8;
extern QString FormMainMsg9;
extern QString FormMainMsg10;
extern QString FormMainMsg11;
extern QString FormMainMsg12;
extern QString FormMainMsg13;
extern QString FormExitMsg0;
extern QString FormExitMsg1;
extern QString FormSetupMsg0;
extern QString FormSetupMsg1;
extern QString FormSetupMsg2;
extern QString FormSetupMsg3;
extern QString FormSetupMsg4;
extern QString FormSetupMsg5;
extern QString FormSetupMsg6;
extern QString FormSetupMsg7;
extern QString FormSetupMsg8;
extern QString FormSetupMsg9;
extern QString FormSetupMsg10;
extern QString FormSetupMsg11;
extern QString FormSetupMsg12;
extern QString FormSetupMsg13;
extern QString FormSetupMsg14;
extern QString FormSetupMsg15;
extern QString FormSetupMsg16;
extern QString FormSetupMsg17;
extern QString FormSetupMsg18;
extern QString FormSetupMsg19;
extern QString FormBtSelectMsg0;
extern QString FormBtSelectMsg1;
extern QString FormProgressMsg0;
extern QString FormUpdateMag0;
extern QString FormUpdateMag1;
extern QString FormUpdateMag2;
extern QString FormUpdateMag3;
extern QString FormUpdateMag4;
extern QString FormUpdateMag5;

// Every key with a pointer to its variable, in table order, for the language loader.
struct Entry {
    const char* key;
    QString* text;
    const char* englishDefault;
};
const Entry* begin();
const Entry* end();

// Puts every text back to its English default.
void resetToEnglish();

}  // namespace fv::msg
