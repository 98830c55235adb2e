#include "cli/CliSession.h"

#include "i18n/Messages.h"

namespace fv::cli {

CliSession::CliSession()
    : rules_(fields_, SetupFormKind::SetupPages),
      document_(fields_, records_),
      ctx_(records_),
      gateway_(ctx_) {
    rules_.installWithInitialValues();
}

bool CliSession::load(QString* error) {
    if (!document_.IsSetupFilePresent()) {
        if (error)
            *error = msg::FormMainMsg8 + QStringLiteral(" (") + document_.path() + ')';
        return false;
    }
    // The window would carry on with its initial values (a router at 192.168.1.1); a script
    // is better told that its settings cannot be read. fvctl never writes the file.
    if (!document_.LoadSetupXML()) {
        if (error)
            *error = QStringLiteral("the settings file cannot be read: ") + document_.path();
        return false;
    }
    document_.CommitConnectionAtStart();
    return true;
}

}  // namespace fv::cli
