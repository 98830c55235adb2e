#include "cli/TestCommand.h"

#include <QCoreApplication>

#include "cli/CliExit.h"
#include "cli/CliSession.h"
#include "i18n/MessageTexts.h"
#include "router/LoginForms.h"
#include "router/SessionLogin.h"
#include "router/SetupControlNames.h"

namespace fv::cli {

int TestCommand::exitCodeFor(const QString& text, const MessageTexts& texts) {
    if (text == texts[Msg::FormSetupMsg3])
        return kExitOk;
    if (text.startsWith(texts[Msg::FormSetupMsg4]))
        return kExitRejected;
    if (text == texts[Msg::FormSetupMsg5])
        return kExitBusy;
    return kExitOffline;
}

int TestCommand::execute(const QCommandLineParser&, CliOutput& io) {
    CliSession session;
    QString error;
    if (!session.load(&error)) {
        io.error(error);
        return kExitLocalFiles;
    }
    FormState& fields = session.fields();
    LoginForms forms(fields, nullptr, io.texts());
    const RouterContext ctx(session.records(), *session.context().transport, nullptr, &forms);
    // The page's two routines in their order; their reports land on the page's message label.
    fields.setText(setup_names::TestMessage, QString());
    fetchSessionToken(ctx, forms.connectionTestHost());
    checkAccount(ctx, forms.connectionTestHost());
    QCoreApplication::sendPostedEvents();
    const QString outcome = fields.text(setup_names::TestMessage);
    if (outcome.isEmpty()) {
        io.error(io.texts()[Msg::FormSetupMsg6]);
        return kExitOffline;
    }
    io.line(outcome);
    return exitCodeFor(outcome, io.texts());
}

}  // namespace fv::cli
