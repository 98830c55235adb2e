#include "cli/CliSession.h"

#include "i18n/MessageTexts.h"
#include "platform/Timer.h"
#include "settings/SetupDocument.h"
#include "settings/SetupFormBinding.h"

namespace fv::cli {
namespace {

ClientCore::Options commandLineOptions() {
    ClientCore::Options o;
    // Nothing runs by itself here: each command steps the parts it needs.
    o.makeTimer = [](int ms) { return std::make_unique<ManualTimer>(ms); };
    o.runner = std::make_unique<InlineTaskRunner>();
    return o;
}

}  // namespace

CliSession::CliSession() : core_(commandLineOptions()) {}

bool CliSession::load(QString* error) {
    SetupDocument& document = core_.setupDocument();
    if (!document.fileExists()) {
        if (error)
            *error =
                core_.texts()[Msg::FormMainMsg8] + QStringLiteral(" (") + document.path() + ')';
        return false;
    }
    // The window would carry on with its initial values (a router at 192.168.1.1); a script
    // is better told that its settings cannot be read. fvctl never writes the file.
    stored_ = core_.loadConnectionFromFile();
    if (stored_.status != SettingsFile::Status::Read) {
        if (error)
            *error = QStringLiteral("the settings file cannot be read: ") + document.path();
        return false;
    }
    return true;
}

FormState& CliSession::fields() {
    FormState& form = core_.setupForm();
    if (!fieldsShown_ && stored_.status == SettingsFile::Status::Read) {
        fieldsShown_ = true;
        SetupFormBinding::show(stored_.connection, form, SetupFormKind::SetupPages, nullptr);
        SetupFormBinding::show(stored_.bitTorrent, form, SetupFormKind::SetupPages);
    }
    return form;
}

}  // namespace fv::cli
