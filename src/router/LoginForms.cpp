#include "router/LoginForms.h"

#include <QMetaObject>
#include <QThread>

#include "i18n/MessageTexts.h"
#include "router/SetupControlNames.h"

namespace fv {

namespace n = setup_names;

LoginForms::LoginForms(FormState& setup, QObject* parent, const MessageTexts& texts)
    : QObject(parent), texts_(&texts), form_(&setup) {
    refresh();
    // controlChanged is emitted on the UI thread, where this object lives.
    connect(&setup, &FormState::controlChanged, this, [this](const QString&) { refresh(); });
}

void LoginForms::refresh() {
    if (!form_)
        return;
    const FormState& f = *form_;
    LoginFormSnapshot s;
    s.accountStepShown = f.text(n::PageShowing) == QLatin1String(n::WizardAccountSheet);
    s.pageUser = f.text(n::UserName);
    s.pagePassword = f.text(n::Password);
    s.pagePort = f.text(n::Port);
    s.wizardUser = f.text(n::WizardUserName);
    s.wizardPassword = f.text(n::WizardPassword);
    s.pageRemote = f.checked(n::Remote) && !f.checked(n::Local);
    s.pageDdnsChoice = f.itemIndex(n::DdnsChoice);
    s.pageLocalList = f.text(n::LocalAddressList);
    s.pageOtherAddress = f.text(n::OtherAddress);
    s.pageDdnsName = f.text(n::DdnsName);
    s.wizardRemote = f.checked(n::WizardRemote);
    s.wizardRemoteByName = f.checked(n::WizardRemoteByName);
    s.wizardDdnsName = f.text(n::WizardDdnsName);
    s.wizardOtherAddress = f.text(n::WizardOtherAddress);
    s.wizardLocalAddress = f.text(n::WizardLocalAddress);
    std::lock_guard lock(mutex_);
    snapshot_ = std::move(s);
}

LoginFormSnapshot LoginForms::snapshot() const {
    std::lock_guard lock(mutex_);
    return snapshot_;
}

LoginInputs LoginForms::inputsOf(const LoginFormSnapshot& s) {
    if (s.accountStepShown)
        return {s.wizardUser, s.wizardPassword, s.pagePort};
    return {s.pageUser, s.pagePassword, s.pagePort};
}

QString LoginForms::wizardHostOf(const LoginFormSnapshot& s) {
    if (s.wizardRemote && s.wizardRemoteByName)
        return s.wizardDdnsName + QLatin1String(n::DdnsDomainSuffix);
    if (s.wizardRemote)
        return s.wizardOtherAddress;
    return s.wizardLocalAddress;
}

QString LoginForms::pageHostOf(const LoginFormSnapshot& s) {
    if (s.pageRemote) {
        if (s.pageDdnsChoice == 1)
            return s.pageOtherAddress;
        return s.pageDdnsName + QLatin1String(n::DdnsDomainSuffix);
    }
    // Entries read "address (router name)". A typed address without the bracket is taken
    // whole rather than becoming an empty host.
    const int bracket = s.pageLocalList.indexOf(QLatin1Char('('));
    if (bracket < 0)
        return s.pageLocalList.trimmed();
    return s.pageLocalList.left(std::max(0, bracket - 1)).trimmed();
}

LoginInputs LoginForms::inputs() const {
    return inputsOf(snapshot());
}

QString LoginForms::wizardHost() const {
    return wizardHostOf(snapshot());
}

QString LoginForms::connectionTestHost() const {
    const LoginFormSnapshot s = snapshot();
    return s.accountStepShown ? wizardHostOf(s) : pageHostOf(s);
}

void LoginForms::post(std::function<void(FormState&)> change) {
    QPointer<FormState> form = form_;
    auto apply = [form, change = std::move(change)] {
        if (form)
            change(*form);
    };
    if (QThread::currentThread() == thread())
        apply();
    else
        QMetaObject::invokeMethod(this, std::move(apply), Qt::QueuedConnection);
}

void LoginForms::report(const LoginReport& report) {
    const bool wizard = snapshot().accountStepShown;
    const MessageTexts* texts = texts_;
    post([report, wizard, texts](FormState& f) { applyReport(f, report, wizard, *texts); });
}

void LoginForms::applyReport(FormState& f, const LoginReport& r, bool accountStepShown,
                             const MessageTexts& texts) {
    const bool login = r.check == LoginCheck::Login;
    if (r.outcome == LoginOutcome::Success && !login)
        return;
    const QString hint =
        r.serviceLevel <= 103 ? QStringLiteral(", ") + texts[Msg::FormSetupMsg18] : QString();
    QString pageText;
    QString wizardText = texts[Msg::FormSetupMsg4] + hint;
    switch (r.outcome) {
        case LoginOutcome::Success:
            pageText = texts[Msg::FormSetupMsg3];
            wizardText = texts[Msg::FormSetupMsg3];
            break;
        case LoginOutcome::Rejected:
            pageText = texts[Msg::FormSetupMsg4] + hint;
            break;
        case LoginOutcome::Busy:
            pageText = texts[Msg::FormSetupMsg5];
            break;
        case LoginOutcome::OtherFailure:
            pageText = texts[Msg::FormSetupMsg6];
            break;
    }
    f.setVisible(n::TestMessage, true);
    f.setText(n::TestMessage, pageText);
    if (accountStepShown) {
        for (const char* label : {n::WizardFailure1, n::WizardFailure2}) {
            f.setVisible(label, true);
            f.setText(label, wizardText);
        }
    }
    if (r.outcome == LoginOutcome::Success) {
        if (accountStepShown) {
            f.setVisible(n::SkipPanel, false);
            f.setVisible(n::FinishButton, true);
            f.setVisible(n::NextButton, false);
            f.setVisible(n::OkButton, false);
        }
        f.setEnabled(n::ServiceEnable, true);
        f.setEnabled(n::ServiceDisable, true);
        return;
    }
    if (r.outcome != LoginOutcome::OtherFailure) {
        f.setEnabled(n::ServiceEnable, false);
        f.setEnabled(n::ServiceDisable, false);
    }
    f.setText(n::ActiveControl, n::Password);
}

}  // namespace fv
