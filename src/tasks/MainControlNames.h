// Object names of the main window's controls that the logic below the windows writes (the
// refresh cycle, the task commands, the upload queue). The main window's widgets carry the
// same names, so the form-state model and the window meet on them.
#pragma once

namespace fv::main_names {

// Connection status card.
inline constexpr const char* ConnectStatus = "Lab_ConnectStatus_Main";
inline constexpr const char* OnlinePicture = "Img_Connected_Main";
inline constexpr const char* OfflinePicture = "Img_DisConnected_Main";
inline constexpr const char* FetchFailure = "LabGetFVInfoStatus_Main";
inline constexpr const char* CommandSent = "LabCmdSendMsg_Main";

// Upload status lines.
inline constexpr const char* UploadStatus = "LabTaskStatus_Context_Main";
inline constexpr const char* UploadFailure = "LabTaskStatus_LinkContext_Main";
inline constexpr const char* UploadCountdown = "LabelCountDown_Main";
// The queue's Retry button; this window retries from the failure line instead, so no widget
// carries the name.
inline constexpr const char* RetryButton = "BtnUploadBt_Main";

// Command buttons.
inline constexpr const char* AddButton = "BtnAdd_Main";
inline constexpr const char* RemoveButton = "BtnFVPageRemove_Main";
inline constexpr const char* PauseButton = "BtnFVPagePause_Main";
inline constexpr const char* ResumeButton = "BtnFVPageResume_Main";
inline constexpr const char* PauseAllButton = "BtnFVPagePauseAll_Main";
inline constexpr const char* ResumeAllButton = "BtnFVPageResumeAll_Main";
inline constexpr const char* ClearButton = "BtnFVPageClear_Main";
inline constexpr const char* SetupButton = "BtnSetup_Main";

}  // namespace fv::main_names
