// The time-outs of each kind of router request, and whether it logs in first when no
// session is held.
#pragma once

namespace fv {

struct RequestKind {
    int connectMs;
    int readMs;
    bool loginFirst;
};

namespace request_kind {
inline constexpr RequestKind TaskListFetch{4000, 4000, true};
inline constexpr RequestKind TaskCommand{2000, 2000, true};
inline constexpr RequestKind GeneralSettingsRead{2000, 2000, false};
inline constexpr RequestKind TransferSettingsRead{3000, 3000, true};
inline constexpr RequestKind SettingsWrite{4000, 4000, false};
inline constexpr RequestKind UploadQuery{2000, 2000, true};
inline constexpr RequestKind UploadFile{5000, 10000, true};
inline constexpr RequestKind ServiceTest{2000, 2000, false};
inline constexpr RequestKind AccountCheck{5000, 5000, false};
inline constexpr RequestKind Login{4000, 4000, false};
inline constexpr RequestKind AppListProbe{2000, 2000, false};
}  // namespace request_kind

}  // namespace fv
