// The update window's controls as the update logic and the window both name them.
#pragma once

namespace fv::update_names {

inline constexpr const char* NowVersionValue = "Lab_NowVersionValue_Update";
inline constexpr const char* NewVersionValue = "Lab_NewVersionValue_Update";
inline constexpr const char* ReleaseNote = "Memo_ReleaseNote_Update";
inline constexpr const char* UpdateMessage = "Lab_UpdateMsg_Update";
inline constexpr const char* ProgressLabel = "Lab_Progress_Update";
inline constexpr const char* ProgressBar = "ProgressBar_Update";
inline constexpr const char* UpdateButton = "lab_ErrorMsg_OK_Text_update";
inline constexpr const char* CancelButton = "lab_ErrorMsg_Cancel_Text_update";
inline constexpr const char* CloseImage = "Img_Close_Update";
inline constexpr const char* AnimationTimer = "Timer_ChkVer_Update";

}  // namespace fv::update_names
