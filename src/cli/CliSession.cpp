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
    document_.OpenSetupDocument();
    document_.CommitConnectionAtStart();
    return true;
}

}  // namespace fv::cli
