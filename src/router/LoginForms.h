// The setup area as the login code sees it, from any thread: the entries it reads (a
// snapshot kept current on the UI thread, so a worker never waits for the UI thread) and
// the outcome it shows (queued to the UI thread). Built and destroyed on the UI thread.
#pragma once

#include "i18n/MessageTexts.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <mutex>

#include "platform/FormState.h"
#include "router/LoginOutcome.h"

namespace fv {

struct LoginInputs {
    QString userName;
    QString password;
    QString port;
};

// The entries read by the login and the connection test, copied on the UI thread.
struct LoginFormSnapshot {
    bool accountStepShown = false;
    QString pageUser, pagePassword, pagePort;
    QString wizardUser, wizardPassword;
    bool pageRemote = false;
    int pageDdnsChoice = 0;
    QString pageLocalList, pageOtherAddress, pageDdnsName;
    bool wizardRemote = false, wizardRemoteByName = false;
    QString wizardDdnsName, wizardOtherAddress, wizardLocalAddress;
};

class LoginForms : public QObject {
  public:
    explicit LoginForms(FormState& setup, QObject* parent = nullptr,
                        const MessageTexts& texts = MessageTexts::english());
    const MessageTexts& texts() const { return *texts_; }

    // Any thread.
    LoginFormSnapshot snapshot() const;
    LoginInputs inputs() const;
    // The host of the wizard's address step, and of the login/account-check routines.
    QString wizardHost() const;
    QString connectionTestHost() const;

    // Any thread; applied on the UI thread.
    void report(const LoginReport& report);
    void post(std::function<void(FormState&)> change);

    // The rules themselves, for the UI thread and tests.
    static LoginInputs inputsOf(const LoginFormSnapshot& s);
    static QString wizardHostOf(const LoginFormSnapshot& s);
    static QString pageHostOf(const LoginFormSnapshot& s);
    static void applyReport(FormState& form, const LoginReport& report, bool accountStepShown,
                            const MessageTexts& texts = MessageTexts::english());

  private:
    const MessageTexts* texts_;
    void refresh();

    QPointer<FormState> form_;
    mutable std::mutex mutex_;
    LoginFormSnapshot snapshot_;
};

}  // namespace fv
