#include "ui/SetupArea.h"

#include <algorithm>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include "platform/FormState.h"
#include "platform/VersionInfo.h"
#include "router/SetupControlNames.h"
#include "ui/FormBinder.h"
#include "ui/ImageButton.h"
#include "ui/SetupRows.h"
#include "ui/Skin.h"
#include "ui/WizardPages.h"

namespace fv::ui {
namespace {

constexpr int kWidth = 683;
constexpr int kHeight = 430 - SetupArea::kTop;

const char* const kTabs[][2] = {{"lab_Setup_tabSheetConnection", "Connection"},
                                {"lab_Setup_tabSheetBitTorrent", "Bit Torrent"},
                                {"lab_Setup_tabSheetNZB", "NZB"},
                                {"lab_Setup_tabSheetAbout", "About"}};

}  // namespace

QStringList SetupArea::tabNames() {
    QStringList names;
    for (const auto& tab : kTabs)
        names << QString::fromLatin1(tab[0]);
    return names;
}

SetupArea::SetupArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panel_Setup"));
    setGeometry(0, kTop, kWidth, kHeight);
    setAutoFillBackground(false);
    buildTabs();
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QString::fromLatin1(setup_names::PageShowing));
    pages_->setGeometry(17, 44, kWidth - 34, kHeight - 100);
    buildConnectionPage();
    buildBitTorrentPage();
    buildNzbPage();
    buildAboutPage();
    WizardPages::build(pages_, pages_->width());
    for (QLabel* caption : findChildren<QLabel*>())
        if (caption->property("toggles").isValid())
            caption->installEventFilter(this);

    auto* sent = new QLabel(QStringLiteral("Apply send"), this);
    sent->setObjectName(QStringLiteral("Lab_Setup_Apply_Send"));
    sent->setGeometry(17, kHeight - 44, 300, 24);
    sent->hide();
    // The wizard gives the two panels other captions: Next or Finish, Previous or Auto Search.
    ok_ = new ImageButton(QString::fromLatin1(setup_names::OkPanel),
                          QString::fromLatin1(setup_names::OkButton), QStringLiteral("OK"), this);
    ok_->addCaption(QString::fromLatin1(setup_names::FinishButton), QStringLiteral("Finish"));
    ok_->addCaption(QString::fromLatin1(setup_names::NextButton), QStringLiteral("Next"));
    ok_->move(kWidth - 17 - 2 * ImageButton::kWidth - 10, kHeight - 50);
    apply_ = new ImageButton(QString::fromLatin1(setup_names::ApplyPanel),
                             QStringLiteral("lab_Setup_Apply_Text"), QStringLiteral("Apply"), this);
    apply_->addCaption(QStringLiteral("lab_Setup_Previous_Text"), QStringLiteral("Previous"));
    apply_->addCaption(QStringLiteral("lab_Setup_AutoSearch_Text"), QStringLiteral("Auto Search"));
    apply_->move(kWidth - 17 - ImageButton::kWidth, kHeight - 50);
    skip_ =
        new ImageButton(QString::fromLatin1(setup_names::SkipPanel),
                        QStringLiteral("lab_Setup_Skip_Text"), QStringLiteral("Skip Wizard"), this);
    skip_->move(17, kHeight - 50);
    skip_->hide();
    for (ImageButton* b : {ok_, apply_, skip_})
        b->setFollowsEnabledFlag(true);
    connect(ok_, &ImageButton::clicked, this, &SetupArea::okClicked);
    connect(apply_, &ImageButton::clicked, this, &SetupArea::applyClicked);
    connect(skip_, &ImageButton::clicked, this, &SetupArea::skipClicked);
    hide();
}

void SetupArea::buildTabs() {
    int x = 17;
    for (int i = 0; i < 4; ++i) {
        // The caption sits on a panel of its own; the connection test disables the panels.
        const QString caption = QString::fromLatin1(kTabs[i][0]);
        auto* panel = new QWidget(this);
        panel->setObjectName(
            QString(caption).replace(QLatin1String("lab_"), QLatin1String("panel_")));
        panel->setGeometry(x, 10, 120, 28);
        auto* tab = new QLabel(QString::fromLatin1(kTabs[i][1]), panel);
        tab->setObjectName(caption);
        tab->setAlignment(Qt::AlignCenter);
        tab->setGeometry(0, 0, 120, 28);
        tab->setCursor(Qt::PointingHandCursor);
        tab->setProperty("page", i);
        tab->installEventFilter(this);
        x += 124;
    }
}

QWidget* SetupArea::page(int index, const QString& name) {
    auto* p = new QWidget;
    p->setObjectName(name);
    pages_->insertWidget(index, p);
    return p;
}

void SetupArea::buildConnectionPage() {
    Rows rows(page(0, QStringLiteral("tabSheetSetupPage1")));
    // Each pair of options decides on its own, so each sits in a group of its own.
    auto* mode = new QWidget(rows.page());
    mode->setGeometry(0, 0, 190, 3 * kSetupRowHeight + 10);
    auto* local = new QRadioButton(mode);
    local->setObjectName(QString::fromLatin1(setup_names::Local));
    local->setGeometry(16, 10, 20, 24);
    rows.caption(QStringLiteral("LabelLocal_Setup"), QStringLiteral("Local:"), 40, 150);
    auto* list = rows.field<QComboBox>(QString::fromLatin1(setup_names::LocalAddressList), 200);
    list->setEditable(true);
    rows.caption(QStringLiteral("LabelPortTitle2_Setup"), QStringLiteral("Port:"), 400, 60);
    rows.field<QLineEdit>(QStringLiteral("EditFVPort2_Setup"), 70, 462);
    rows.next();
    auto* remote = new QRadioButton(mode);
    remote->setObjectName(QString::fromLatin1(setup_names::Remote));
    remote->setGeometry(16, 10 + kSetupRowHeight, 20, 24);
    rows.caption(QStringLiteral("LabelRemote_Setup"), QStringLiteral("Remote (DDNS):"), 40, 150);
    auto* choice = rows.field<QComboBox>(QString::fromLatin1(setup_names::DdnsChoice), 120);
    choice->addItems({QStringLiteral("DDNS name"), QStringLiteral("Other address")});
    rows.field<QLineEdit>(QString::fromLatin1(setup_names::DdnsName), 120, 326);
    auto* suffix = rows.caption(QStringLiteral("LabelDDNSSuffix_Setup"),
                                QString::fromLatin1(setup_names::DdnsDomainSuffix), 450, 110);
    suffix->setEnabled(false);
    rows.next();
    rows.caption(QStringLiteral("LabelOthersIP_Setup"), QStringLiteral("Other address:"), 40, 150);
    rows.field<QLineEdit>(QString::fromLatin1(setup_names::OtherAddress), 200);
    rows.caption(QStringLiteral("LabelPortTitle_Setup"), QStringLiteral("Port:"), 400, 60);
    rows.field<QLineEdit>(QString::fromLatin1(setup_names::Port), 70, 462);
    rows.next();
    rows.edit(QString::fromLatin1(setup_names::UserName), QStringLiteral("LabelUsTitle_Setup"),
              QStringLiteral("Account:"));
    rows.next();
    QLineEdit* password =
        masked(rows.edit(QString::fromLatin1(setup_names::Password),
                         QStringLiteral("LabelPstTitle_Setup"), QStringLiteral("Password:")));
    QCheckBox* show = rows.check(QStringLiteral("ChkBoxPw_Setup"), QString(), 390);
    show->setGeometry(390, rows.y(), 20, 24);
    rows.caption(QStringLiteral("LabelPw_Setup"), QStringLiteral("Show Password"), 412, 150);
    connect(show, &QCheckBox::toggled, password, [password](bool on) {
        password->setEchoMode(on ? QLineEdit::Normal : QLineEdit::Password);
    });
    rows.next();
    rows.caption(QStringLiteral("Lab_AuthMethodTitle_Setup"), QStringLiteral("Auth. Method:"));
    rows.field<QComboBox>(QStringLiteral("ComboBox_AuthMethod_Setup"), 90);
    rows.caption(QStringLiteral("Lab_AuthPortTitle_Setup"), QStringLiteral("Auth. Port:"), 300,
                 190);
    rows.field<QLineEdit>(QStringLiteral("Edit_AuthPort_Setup"), 70, 492);
    rows.next();
    auto* test = rows.field<QPushButton>(QString::fromLatin1(setup_names::TestButton), 150, 16);
    test->setText(QStringLiteral("Connection test"));
    auto* service = new QWidget(rows.page());
    service->setGeometry(kSetupFieldLeft, rows.y(), 420, kSetupRowHeight);
    const char* const options[][3] = {
        {setup_names::ServiceEnable, "LabelFVEnable_Setup", "Enable"},
        {setup_names::ServiceDisable, "LabelFVDisable_Setup", "Disable"}};
    int x = 0;
    for (const auto& [radio, captionName, text] : options) {
        auto* option = new QRadioButton(service);
        option->setObjectName(QString::fromLatin1(radio));
        option->setGeometry(x, 0, 20, 24);
        auto* caption = new QLabel(QString::fromLatin1(text), service);
        caption->setObjectName(QString::fromLatin1(captionName));
        caption->setGeometry(x + 22, 0, 150, 24);
        x += 180;
    }
    rows.next();
    rows.message(QString::fromLatin1(setup_names::TestMessage), kWidth - 40);
    rows.next();
    rows.message(QStringLiteral("LabelFVDetectMsg_Setup"), kWidth - 40);
    // Beside the local address it fills, and beside the account it sets up.
    auto* detect = new QPushButton(QStringLiteral("Auto Detection"), rows.page());
    detect->setObjectName(QString::fromLatin1(setup_names::DetectButton));
    detect->setGeometry(540, 10, 104, kSetupRowHeight - 4);
    auto* wizard = new QPushButton(QStringLiteral("Setup Wizard"), rows.page());
    wizard->setObjectName(QStringLiteral("Btn_SetupWizard_Setup"));
    wizard->setGeometry(494, 10 + 3 * kSetupRowHeight, 150, kSetupRowHeight - 4);
}

void SetupArea::buildBitTorrentPage() {
    Rows rows(page(1, QStringLiteral("tabSheetSetupPage2")), 280);
    rows.captionedCheck(QStringLiteral("ChkBoxDefaultPort_Setup"),
                        QStringLiteral("lab_Status_IP_Setup_BitTorrent_defaultPort_Title"),
                        QStringLiteral("Use the default port"), 16, 400);
    rows.next();
    rows.edit(QStringLiteral("EditInPort_Setup"), QStringLiteral("LabelInPortTitle_Setup"),
              QStringLiteral("Incoming Port:"), 90);
    rows.next();
    for (const auto& [box, boxCaption, edit, editCaption, unit, label] :
         {std::array<const char*, 6>{"ChkBoxBTDLSp_Setup",
                                     "lab_Status_IP_Setup_BitTorrent_BTDLSp_Title",
                                     "EditBTMaxDL_Setup", "LabelBTMaxDLTitle_Setup",
                                     "LabelBTMaxDLUnit_Setup", "Maximum download speed:"},
          std::array<const char*, 6>{"ChkBoxBTULSp_Setup",
                                     "lab_Status_IP_Setup_BitTorrent_BTUpSp_Title",
                                     "EditBTMaxUL_Setup", "LabelBTMaxULTitle_Setup",
                                     "LabelBTMaxULUnit_Setup", "Maximum upload speed:"}}) {
        rows.caption(QString::fromLatin1(editCaption), QString::fromLatin1(label));
        rows.field<QLineEdit>(QString::fromLatin1(edit), 90);
        rows.caption(QString::fromLatin1(unit), QStringLiteral("KB/s"), 376, 40);
        rows.captionedCheck(QString::fromLatin1(box), QString::fromLatin1(boxCaption),
                            QStringLiteral("Unlimited"), 430, 170);
        rows.next();
    }
    rows.caption(QStringLiteral("LabeBTEncryTitle_Setup"),
                 QStringLiteral("Bit Torrent protocol encryption:"));
    rows.field<QComboBox>(QStringLiteral("ComboBoxBTEncry_Setup"), 200);
    rows.next();
    rows.edit(QStringLiteral("EditMaxPeer_Setup"), QStringLiteral("LabelMaxPeerTitle_Setup"),
              QStringLiteral("Maximum peers allowed per torrent:"), 90);
    rows.next();
    rows.edit(QStringLiteral("EditMaxCon_Setup"), QStringLiteral("LabelMaxConTitle_Setup"),
              QStringLiteral("Global maximum connection:"), 90);
    rows.next();
    rows.captionedCheck(QStringLiteral("ChkBoxDHT_Setup"),
                        QStringLiteral("lab_Setup_BitTorrent_DHT_Title"),
                        QStringLiteral("DHT network"), 16, 240);
    rows.captionedCheck(QStringLiteral("ChkBoxPEX_Setup"),
                        QStringLiteral("lab_Status_IP_Setup_BitTorrent_PEX_Title"),
                        QStringLiteral("PEX network"), 280, 320);
}

void SetupArea::buildNzbPage() {
    Rows rows(page(2, QStringLiteral("tabSheetSetupPage3")), 280);
    const char* const edits[][3] = {
        {"EditUSENETServer_Setup", "LabelUSENETServerTitle_Setup", "USENET Server:"},
        {"EditUSENETPort_Setup", "LabelUSENETPortTitle_Setup", "USENET Server Port:"},
        {"EditUSENETUs_Setup", "LabelUSENETUsTitle_Setup", "User Name:"},
        {"EditUSENETPs_Setup", "LabelUSENETPsTitle_Setup", "Password:"},
        {"EditUSENETConfPs_Setup", "LabelUSENETConfPsTitle_Setup", "Confirm Password:"},
    };
    for (const auto& [edit, caption, text] : edits) {
        QLineEdit* e = rows.edit(QString::fromLatin1(edit), QString::fromLatin1(caption),
                                 QString::fromLatin1(text), 220);
        if (QByteArray(edit).contains("Ps_"))
            masked(e);
        rows.next();
    }
    rows.caption(QStringLiteral("LabelNZBMaxDLTitle_Setup"),
                 QStringLiteral("Maximum download speed:"));
    rows.field<QLineEdit>(QStringLiteral("EditNZBMaxDL_Setup"), 90);
    rows.caption(QStringLiteral("LabelNZBMaxDLUnit_Setup"), QStringLiteral("KB/s"), 376, 40);
    rows.check(QStringLiteral("ChkBoxNZBDLSp_Setup"), QStringLiteral("Unlimited"), 430);
    rows.next();
    rows.edit(QStringLiteral("EditNZBConNum_Setup"), QStringLiteral("LabelNZBConNum_Setup"),
              QStringLiteral("Number of connections per NZB task:"), 90);
    rows.next();
    rows.captionedCheck(QStringLiteral("ChkBoxNZBSSL_Setup"), QStringLiteral("LabelNZBSSL_Setup"),
                        QStringLiteral("SSL/TLS connection only"), 16, 400);
    rows.next();
    rows.message(QStringLiteral("LabelNZBErrMag_Setup"), kWidth - 40);
}

void SetupArea::buildAboutPage() {
    Rows rows(page(3, QStringLiteral("tabSheetSetupPage4")));
    rows.caption(QStringLiteral("LabelVersion_About"),
                 QStringLiteral("The New Ferrovane, version ") + VersionInfo::programVersion(), 16,
                 500);
    rows.next(2);
    rows.captionedCheck(QStringLiteral("ChkBox_ChkVerAtStart_About"),
                        QStringLiteral("Lab_ChkVerAtStartDec_About"),
                        QStringLiteral("Check New version at start up"), 16, 400);
    rows.next();
    QLabel* check = rows.caption(QStringLiteral("Lab_CheckVersion_About"),
                                 QStringLiteral("Check version"), 16, 300);
    check->setCursor(Qt::PointingHandCursor);
    check->setStyleSheet(QStringLiteral("color: #1f5fa8; text-decoration: underline;"));
    check->setProperty("formClick", true);
}

void SetupArea::bind(FormState& setup) {
    setup_ = &setup;
    binder_ = new FormBinder(setup, this);
    QStringList names;
    for (QWidget* w : findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.endsWith(QLatin1String("_Setup")) || name.endsWith(QLatin1String("_About")) ||
            name.startsWith(QLatin1String("panel_Setup_")) ||
            name.startsWith(QLatin1String("lab_Setup_")) ||
            name.contains(QLatin1String("SetupWizard")))
            names << name;
        if (w->property("formClick").toBool())
            w->installEventFilter(this);
    }
    names.removeAll(QString::fromLatin1(setup_names::PageShowing));
    names << QStringLiteral("Lab_Setup_Apply_Send");
    binder_->bind(this, names);
    connect(&setup, &FormState::controlChanged, this, [this](const QString& name) {
        if (name == QLatin1String(setup_names::PageShowing) && setup_)
            showPageNamed(setup_->text(name));
    });
    showPageNamed(setup.text(QString::fromLatin1(setup_names::PageShowing)));
}

void SetupArea::release() {
    delete binder_;
    binder_ = nullptr;
    if (setup_)
        disconnect(setup_, nullptr, this, nullptr);
    setup_ = nullptr;
}

void SetupArea::showPageNamed(const QString& sheet) {
    for (int i = 0; i < pages_->count(); ++i) {
        QWidget* p = pages_->widget(i);
        if (p->objectName() == sheet)
            pages_->setCurrentWidget(p);
    }
    const int current = pages_->currentIndex();
    for (int i = 0; i < 4; ++i) {
        auto* tab = findChild<QLabel*>(QString::fromLatin1(kTabs[i][0]));
        QFont f = tab->font();
        f.setBold(i == current);
        tab->setFont(f);
    }
    update();
}

void SetupArea::resizeEvent(QResizeEvent*) {
    const int w = std::max(width(), kWidth);
    const int h = std::max(height(), kHeight);
    if (auto* sent = findChild<QLabel*>(QStringLiteral("Lab_Setup_Apply_Send")))
        sent->move(17, h - 44);
    ok_->move(w - 17 - 2 * ImageButton::kWidth - 10, h - 50);
    apply_->move(w - 17 - ImageButton::kWidth, h - 50);
    skip_->move(17, h - 50);
}

void SetupArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0xf2, 0xf5, 0xf8));
    p.setPen(QPen(Skin::lineRule(), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(pages_->geometry()).adjusted(-0.5, -0.5, 0.5, 0.5), 8, 8);
    // The selected tab stands out of the row of tabs.
    const int current = pages_->currentIndex();
    for (int i = 0; i < 4; ++i) {
        const QWidget* panel = findChild<QLabel*>(QString::fromLatin1(kTabs[i][0]))->parentWidget();
        if (panel->isHidden())
            continue;  // the wizard hides the tabs
        const QRect r = panel->geometry();
        p.setBrush(i == current ? Skin::accent().lighter(170) : QColor(0xe4, 0xe9, 0xee));
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    }
}

bool SetupArea::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && watched->property("formClick").toBool() &&
        setup_) {
        setup_->click(watched->objectName());
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched->property("page").isValid()) {
        emit tabClicked(watched->property("page").toInt());
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched->property("toggles").isValid()) {
        // Through the box, so the form sees a click on the box, as the box itself gives.
        if (auto* box = findChild<QAbstractButton*>(watched->property("toggles").toString()))
            box->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace fv::ui
