#include "ui/WizardPages.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include "router/SetupControlNames.h"
#include "ui/SetupRows.h"
#include "ui/TrailingLinkPlacer.h"

namespace fv::ui {
namespace {

namespace n = setup_names;

QWidget* addPage(QStackedWidget* pages, int index) {
    auto* p = new QWidget;
    p->setObjectName(QStringLiteral("tabSheetSetupWizard%1").arg(index));
    pages->addWidget(p);
    return p;
}

QLabel* text(Rows& rows, const QString& name, const QString& value, int width, int x = 16) {
    QLabel* l = rows.caption(name, value, x, width);
    l->setWordWrap(true);
    return l;
}

// A page's heading: bold and larger than its text.
void title(Rows& rows, const QString& name, const QString& value, int width) {
    QLabel* l = text(rows, name, value, width);
    QFont f = l->font();
    f.setBold(true);
    f.setPixelSize(16);
    l->setFont(f);
}

// A radio button whose caption is a label of its own (named for the language file) when
// captionName is given; a click on the caption selects the button.
QRadioButton* radio(QWidget* parent, const QString& name, const QString& caption, int x, int y,
                    int width = 150, const QString& captionName = QString()) {
    auto* r = new QRadioButton(captionName.isEmpty() ? caption : QString(), parent);
    r->setObjectName(name);
    r->setGeometry(x, y, captionName.isEmpty() ? width : 20, 24);
    if (!captionName.isEmpty()) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(captionName);
        l->setGeometry(x + 22, y, width - 22, 24);
        l->setProperty("toggles", name);
        l->setCursor(Qt::PointingHandCursor);
    }
    return r;
}

QLabel* link(Rows& rows, const QString& name, const QString& value, int x, int width) {
    QLabel* l = rows.caption(name, value, x, width);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Skin::accent());
    l->setPalette(pal);
    return l;
}

}  // namespace

void WizardPages::build(QStackedWidget* pages, int width) {
    buildWelcome(addPage(pages, 0), width);
    buildAddress(addPage(pages, 1), width);
    buildAccount(addPage(pages, 2), width);
    buildCompletion(addPage(pages, 3), width);
}

void WizardPages::buildWelcome(QWidget* page, int width) {
    Rows rows(page);
    title(rows, QStringLiteral("Lab_SetupWizard0_Dec0"),
          QStringLiteral("Welcome to Ferrovane Wizard!"), width - 32);
    rows.next(2);
    text(rows, QStringLiteral("Lab_SetupWizard0_Dec1"),
         QStringLiteral("This wizard will help you connect to Ferrovane Server."), width - 32);
    rows.next();
    text(rows, QStringLiteral("Lab_SetupWizard0_Dec2"),
         QStringLiteral("Please check if you install Ferrovane application in Polaros and enable "
                        "the function before starting to use utility."),
         width - 32)
        ->setFixedHeight(2 * kSetupRowHeight);
    rows.next(3);
    auto* agree = rows.field<QCheckBox>(QStringLiteral("ChkBox_SetupWizard0"), 20, 16);
    agree->setAccessibleName(QStringLiteral("I agree"));
    rows.caption(QStringLiteral("Lab_SetupWizard0_Dec3"),
                 QStringLiteral("By using Ferrovane Utility, you agree to the"), 40, 270);
    link(rows, QStringLiteral("Lab_SetupWizard0_Terms"), QStringLiteral("KOVA Terms of Use"), 312,
         120);
    rows.caption(QStringLiteral("Lab_SetupWizard0_Dec5"), QStringLiteral("and"), 434, 28);
    link(rows, QStringLiteral("Lab_SetupWizard0_Privacy"), QStringLiteral("KOVA Privacy Policy"),
         464, 150);
}

void WizardPages::buildAddress(QWidget* page, int width) {
    Rows rows(page, 230);
    text(rows, QStringLiteral("Lab_SetupWizard1_Dec0"),
         QStringLiteral("Please choose the way which your client device connecting to the "
                        "router."),
         width - 32);
    rows.message(QStringLiteral("Lab_SetupWizard1_Dec2"), width - 32)
        ->setText(QStringLiteral("Failed connect to server! Please check if you installed and "
                                 "enable Ferrovane application in Polaros."));
    rows.next();
    auto* mode = new QWidget(page);
    mode->setGeometry(0, rows.y(), 200, 2 * kSetupRowHeight);
    radio(mode, QStringLiteral("RadioBtn_SetupWizard1_Local"), QStringLiteral("Local:"), 16, 0, 180,
          QStringLiteral("Lab_SetupWizard1_radioTitle_Local"));
    radio(mode, QString::fromLatin1(n::WizardRemote), QStringLiteral("Remote (DDNS):"), 16,
          kSetupRowHeight, 180, QStringLiteral("Lab_SetupWizard1_radioTitle_Remote"));
    // The address edit sits under the list of found routers, which covers it.
    rows.field<QLineEdit>(QString::fromLatin1(n::WizardLocalAddress), 200)->hide();
    rows.field<QComboBox>(QStringLiteral("ComboBoxLocalIP_SetupWizard1"), 200)->setEditable(true);
    rows.caption(QStringLiteral("Lab_SetupWizard1_Title_PortNum"), QStringLiteral("Port:"), 440,
                 40);
    rows.field<QLineEdit>(QStringLiteral("EditFVPort_SetupWizard1"), 70, 482);
    rows.field<QComboBox>(QStringLiteral("ComboBoxFVPort_SetupWizard1"), 70, 482)->hide();
    rows.next();
    auto* remote = new QWidget(page);
    remote->setGeometry(200, rows.y(), 30, 2 * kSetupRowHeight);
    rows.next();
    radio(remote, QString::fromLatin1(n::WizardRemoteByName), QString(), 4, 0, 24);
    rows.field<QLineEdit>(QString::fromLatin1(n::WizardDdnsName), 120);
    rows.caption(QStringLiteral("Lab_SetupWizard1_Suffix"),
                 QString::fromLatin1(n::DdnsDomainSuffix), 354, 110)
        ->setEnabled(false);
    rows.next();
    radio(remote, QStringLiteral("RadioBtn_SetupWizard1_Remote_Remote1"), QString(), 4,
          kSetupRowHeight, 24);
    rows.field<QLineEdit>(QString::fromLatin1(n::WizardOtherAddress), 200);
    rows.caption(QStringLiteral("Lab_SetupWizard1_Title_PortNum2"), QStringLiteral("Port:"), 440,
                 40);
    rows.field<QLineEdit>(QStringLiteral("EditFVPort2_SetupWizard1"), 70, 482);
    rows.next(2);
    rows.field<QPushButton>(QString::fromLatin1(n::WizardAutoDetect), 150, 16)
        ->setText(QStringLiteral("Auto Detection"));
    rows.next();
    rows.message(QStringLiteral("Lab_SetupWizard1_Detect_Dec0"), width - 32);
    QLabel* notFound = rows.message(QStringLiteral("Lab_SetupWizard1_Detect2_Dec0"), width - 32);
    notFound->setCursor(Qt::PointingHandCursor);
    notFound->setProperty("formClick", true);
}

void WizardPages::buildAccount(QWidget* page, int width) {
    Rows rows(page, 200);
    text(rows, QStringLiteral("LabelTitle_SetupWizard2"),
         QStringLiteral("Sign in with your KOVA router account"), width - 32);
    rows.next(2);
    rows.edit(QString::fromLatin1(n::WizardUserName), QStringLiteral("LabelUstTitle_SetupWizard2"),
              QStringLiteral("Account:"));
    rows.next();
    QLineEdit* password =
        masked(rows.edit(QString::fromLatin1(n::WizardPassword),
                         QStringLiteral("LabelPwTitle_SetupWizard2"), QStringLiteral("Password:")));
    auto* show = rows.captionedCheck(QStringLiteral("ChkBoxPw_SetupWizard2"),
                                     QStringLiteral("LabelPw_SetupWizard2"),
                                     QStringLiteral("Show Password"), 390, 220);
    QObject::connect(show, &QCheckBox::toggled, password, [password](bool on) {
        password->setEchoMode(on ? QLineEdit::Normal : QLineEdit::Password);
    });
    rows.next();
    auto* kind = new QWidget(page);
    kind->setGeometry(0, rows.y(), 400, kSetupRowHeight);
    radio(kind, QStringLiteral("RadioBtnGeneral_SetupWizard2"), QStringLiteral("General"), 200, 0,
          100, QStringLiteral("Label_GeneralTitle_SetupWizard2"));
    radio(kind, QStringLiteral("RadioBtnAdvanced_SetupWizard2"), QStringLiteral("Advanced"), 304, 0,
          130, QStringLiteral("Label_AdvancedTitle_SetupWizard2"));
    rows.next();
    auto* advanced = new QWidget(page);
    advanced->setObjectName(QStringLiteral("panel_SetupWizard2_Advanced"));
    advanced->setGeometry(0, rows.y(), width, 2 * kSetupRowHeight);
    Rows inner(advanced, 200);
    inner.caption(QStringLiteral("Lab_AuthMethod_SetupWizard2"),
                  QStringLiteral("Authorisation Method:"));
    inner.field<QComboBox>(QString::fromLatin1(n::WizardAuthMethod), 90)
        ->addItems({QStringLiteral("http"), QStringLiteral("https")});
    inner.next();
    inner.edit(QString::fromLatin1(n::WizardAuthPort), QStringLiteral("Lab_AuthPort_SetupWizard2"),
               QStringLiteral("Authorisation Port:"), 70);
    advanced->hide();
    rows.next(2);
    rows.message(QString::fromLatin1(n::WizardFailure1), width - 32);
    rows.next();
    rows.message(QString::fromLatin1(n::WizardFailure2), width - 32)
        ->setText(QStringLiteral("*Invalid account or password"));
}

void WizardPages::buildCompletion(QWidget* page, int width) {
    Rows rows(page);
    title(rows, QStringLiteral("Lab_SetupWizard3_Dec0"), QStringLiteral("Complete the setting!"),
          width - 32);
    rows.next(2);
    text(rows, QStringLiteral("Lab_SetupWizard3_Dec1"),
         QStringLiteral("You also can modify the configuration in the setting area."), width - 32);
    rows.next();
    QLabel* sentence = rows.caption(
        QStringLiteral("Lab_SetupWizard3_Dec2"),
        QStringLiteral("If any question, please refer to Ferrovane utility"), 16, width - 32);
    QLabel* faq =
        link(rows, QStringLiteral("Lab_SetupWizard3_FAQ"), QStringLiteral("FAQ."), 348, 60);
    new TrailingLinkPlacer(sentence, faq, kSetupRowHeight);
}

}  // namespace fv::ui
