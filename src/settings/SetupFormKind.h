// Which window a set of setup fields belongs to. The setup pages of the main window and the
// older stand-alone settings window share field names and most rules; the few differences
// (single port field, plain local-address edit, prefilled account) hang on this value.
#pragma once

namespace fv {

enum class SetupFormKind {
    SetupPages,  // the main window's setup area (and the wizard that lives in it)
    StandAlone,  // the stand-alone settings window, also used for the start-up values
};

}  // namespace fv
