#include "ui/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QWindow>
#include <algorithm>

#include "app/TaskLinesView.h"
#include "app/TaskListControl.h"
#include "app/TaskMenuPlan.h"
#include "app/TaskViewAction.h"
#include "i18n/MessageTexts.h"
#include "i18n/TextSet.h"
#include "platform/DebugLog.h"
#include "platform/FormState.h"
#include "tasks/MainControlNames.h"
#include "ui/AccessibleWidgets.h"
#include "ui/ElidingLabel.h"
#include "ui/FormBinder.h"
#include "ui/ImageButton.h"
#include "ui/MainTray.h"
#include "ui/SetupArea.h"
#include "ui/Skin.h"
#include "ui/SkinImage.h"
#include "ui/SkinScrollBar.h"
#include "ui/SkinnedTaskList.h"
#include "ui/SpeedPlot.h"
#include "ui/TaskFilterBar.h"
#include "ui/TaskMenuWindow.h"
#include "ui/WindowTextWriter.h"

namespace fv::ui {

const std::array<const char*, 8> MainWindow::kButtonNames = {
    main_names::AddButton,    main_names::RemoveButton,   main_names::PauseButton,
    main_names::ResumeButton, main_names::PauseAllButton, main_names::ResumeAllButton,
    main_names::ClearButton,  main_names::SetupButton};

namespace {

constexpr std::array<const char*, 8> kCaptionNames = {
    "lab_btnAddTask",  "lab_btnRemove",    "lab_btnPause",         "lab_btnResume",
    "lab_btnPauseAll", "lab_btnResumeAll", "lab_btnClearComplete", "lab_btnSetup"};
constexpr std::array<const char*, 8> kCaptions = {"Add Task",       "Remove",    "Pause",
                                                  "Resume",         "Pause All", "Resume All",
                                                  "Clear Complete", "Settings"};
constexpr int kMargin = 17;
constexpr int kButtonTop = 58;
constexpr int kListTop = 103;
constexpr int kStatusTop = 300;
// How far in from the right and bottom edges a press resizes the window.
constexpr int kGrip = 6;
// The search field and status choice sit in the header, right of the title.
constexpr int kFilterLeft = 262;
constexpr int kFilterWidth = 340;
// The speed plot fills the status card's right-hand part, beside the status lines.
constexpr int kPlotWidth = 240;
constexpr int kPlotLeft = kMargin + 650 - kPlotWidth - 6;

bool busyCursorShowing() {
    const QCursor* c = QApplication::overrideCursor();
    return c && (c->shape() == Qt::WaitCursor || c->shape() == Qt::BusyCursor);
}

void setColour(QWidget* w, const QColor& colour) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    w->setPalette(pal);
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      timerBlackLV_(std::make_unique<QtTimer>(1000)) {
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("The New Ferrovane"));
    setAttribute(Qt::WA_TranslucentBackground);
    // The skin's size is the default and the smallest; a taller window shows more lines.
    setMinimumSize(kWidth, kHeight);
    setBaseSize(kWidth, kHeight);
    setSizeIncrement(1, SkinnedTaskList::kLineHeight);
    resize(kWidth, kHeight);
    setMouseTracking(true);
    setAcceptDrops(true);
    setWindowIcon(MainTray::appIcon());
    confirm_ = [this](const QString& question) {
        return QMessageBox::question(this, messages_[Msg::FormMainMsg7], question) ==
               QMessageBox::Yes;
    };

    // Before any skinned widget exists, so each gets its interface from the start.
    installAccessibleInterfaces();
    buildHeader();
    buildButtons();
    list_ = new SkinnedTaskList(this);
    list_->move(kMargin, kListTop);
    attachFocusFrame(list_);
    filterBar_ = new TaskFilterBar(this);
    filterBar_->setGeometry(kFilterLeft, (kHeaderHeight - TaskFilterBar::kHeight) / 2, kFilterWidth,
                            TaskFilterBar::kHeight);
    connect(filterBar_, &TaskFilterBar::filterChanged, this, &MainWindow::filterChanged);
    auto* find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WindowShortcut);
    connect(find, &QShortcut::activated, filterBar_, &TaskFilterBar::focusSearch);
    buildStatus();
    plot_ = new SpeedPlot(this);
    plot_->setGeometry(kPlotLeft, kStatusTop - 4, kPlotWidth, 74);
    plot_->setHistory(&history_);

    tableView_ = new TaskMenuWindow(this);
    setupArea_ = new SetupArea(this);
    tray_ = new MainTray(this);

    connect(list_, &SkinnedTaskList::sortRequested, this, [this](int column) {
        if (!rows_)
            return;
        rows_->sortByColumn(column);
        list_->restoreState(rows_->topRow(), rows_->selectedRow());
    });
    connect(list_, &SkinnedTaskList::viewStateChanged, this, [this](int top, int selected) {
        if (rows_)
            rows_->setViewState(top, selected);
    });
    connect(list_, &SkinnedTaskList::selectionChanged, tableView_, &QWidget::hide);
    connect(list_, &SkinnedTaskList::viewRequested, this, [this](int row) {
        if (rows_)
            rows_->markRow(row);
        onView();
    });
    connect(list_, &SkinnedTaskList::menuRequested, this, &MainWindow::openTaskMenu);
    connect(list_, &SkinnedTaskList::removeRequested, this, &MainWindow::onRemoveKey);
    connect(tableView_, &TaskMenuWindow::entryChosen, this, &MainWindow::onMenuEntry);
    connect(tray_, &MainTray::clicked, this, &MainWindow::toggleFromTray);
    connect(tray_, &MainTray::showRequested, this, &MainWindow::showFromTray);
    connect(tray_, &MainTray::exitRequested, this, &MainWindow::exitFromTray);
    connect(tray_, &MainTray::sambaRequested, this, &MainWindow::sambaRequested);
    connect(tray_, &MainTray::veyraRequested, this, &MainWindow::veyraRequested);
    timerBlackLV_->setHandler([this] {
        list_->timerTick();
        updatePlotRoom();
    });

    // Tab walks the buttons, then the list, then the refresh field.
    QWidget* previous = buttons_[0];
    for (size_t i = 1; i < buttons_.size(); ++i) {
        setTabOrder(previous, buttons_[i]);
        previous = buttons_[i];
    }
    setTabOrder(previous, list_);
    setTabOrder(list_, refreshEdit_);
    setTabOrder(refreshEdit_, changeButton_);
    setTabOrder(changeButton_, filterBar_->searchField());
    setTabOrder(filterBar_->searchField(), filterBar_->statusChoice());

    // Where each control sits at the skin's size; a larger window moves them from there.
    for (QWidget* w : {static_cast<QWidget*>(minimize_), static_cast<QWidget*>(close_),
                       static_cast<QWidget*>(filterBar_)})
        anchors_.push_back({w, w->geometry(), Anchor::Right});
    for (const char* name :
         {"Lab_ConnectStatusTitle_Main", main_names::OnlinePicture, main_names::OfflinePicture,
          main_names::ConnectStatus, main_names::CommandSent, main_names::FetchFailure,
          main_names::UploadStatus, main_names::UploadFailure})
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name)))
            anchors_.push_back({w, w->geometry(), Anchor::BelowList});
    if (auto* w = findChild<QWidget*>(QString::fromLatin1(main_names::UploadCountdown)))
        anchors_.push_back({w, w->geometry(), Anchor::BelowListRight});
    for (QWidget* w : {static_cast<QWidget*>(findChild<QLabel*>("LabelAufreshTitle_Setup")),
                       static_cast<QWidget*>(refreshEdit_), static_cast<QWidget*>(changeButton_)})
        anchors_.push_back({w, w->geometry(), Anchor::Bottom});
}

int MainWindow::listLines() const {
    return SkinnedTaskList::kLines +
           std::max(0, (height() - kHeight) / SkinnedTaskList::kLineHeight);
}

void MainWindow::layoutForSize() {
    if (!list_ || !plot_ || !setupArea_)
        return;  // a resize while the window is still being built
    const int dw = std::max(0, width() - kWidth);
    const int lines = listLines();
    const int dy = (lines - SkinnedTaskList::kLines) * SkinnedTaskList::kLineHeight;
    const int dh = std::max(0, height() - kHeight);
    list_->setListSize(kWidth - 2 * kMargin - SkinScrollBar::kThickness + dw, lines);
    for (const Anchored& a : anchors_) {
        switch (a.anchor) {
            case Anchor::Right:
                a.widget->move(a.geometry.x() + dw, a.widget->y());
                break;
            case Anchor::BelowList:
                // The language may have moved it sideways; only its row follows the list.
                a.widget->move(a.widget->x(), a.geometry.y() + dy);
                break;
            case Anchor::BelowListRight:
                a.widget->move(a.geometry.x() + dw, a.geometry.y() + dy);
                break;
            case Anchor::Bottom:
                a.widget->move(a.geometry.x(), a.geometry.y() + dh);
                break;
        }
    }
    const int plotWidth = kPlotWidth + dw / 2;
    plot_->setGeometry(kPlotLeft + kPlotWidth + dw - plotWidth, kStatusTop - 4 + dy, plotWidth, 74);
    setupArea_->setGeometry(0, setupArea_->y(), width(), height() - setupArea_->y());
    updatePlotRoom();
    update();
}

void MainWindow::updatePlotRoom() {
    // The plot takes the card's empty part: a status text that runs into it wins the room.
    // Runs every second: a text's width is measured again only when the text changed.
    const QRect room = plot_->geometry();
    bool free = true;
    textWidths_.resize(anchors_.size());
    for (size_t i = 0; i < anchors_.size(); ++i) {
        const Anchored& a = anchors_[i];
        auto* label = qobject_cast<QLabel*>(a.widget);
        if (!label || !label->isVisibleTo(this) || label->text().isEmpty() ||
            a.anchor == Anchor::Bottom)
            continue;
        MeasuredText& m = textWidths_[i];
        if (m.width < 0 || m.text != label->text() || m.font != label->font()) {
            m = {label->text(), label->font(),
                 label->fontMetrics().horizontalAdvance(label->text())};
        }
        const int textWidth = m.width;
        const QRect g = label->geometry();
        const int left = label->alignment() & Qt::AlignRight ? g.right() - textWidth : g.left();
        const QRect text(left, g.top(), std::min(textWidth, g.width()), g.height());
        if (text.intersects(room))
            free = false;
    }
    plot_->setVisible(free);
}

MainWindow::~MainWindow() {
    timerBlackLV_->setEnabled(false);
    timerBlackLV_->setHandler(nullptr);
}

QLabel* MainWindow::addLabel(const QString& name, const QString& text, const QRect& geometry) {
    // Status texts are one line each, and some languages' are longer than their place.
    auto* label = new ElidingLabel(name, this);
    label->setText(text);
    label->setGeometry(geometry);
    QFont f = label->font();
    f.setPixelSize(12);
    label->setFont(f);
    setColour(label, Skin::ink());
    return label;
}

void MainWindow::buildHeader() {
    logo_ = new SkinImage(QStringLiteral("img_Logo"), this);
    logo_->setPicture(Skin::Picture::Logo);
    logo_->setGeometry(14, 9, 28, 28);
    logo_->installEventFilter(this);
    title_ = addLabel(QStringLiteral("lab_Title"), windowTitle(),
                      QRect(50, 0, kFilterLeft - 58, kHeaderHeight));
    QFont f = title_->font();
    f.setPixelSize(16);
    f.setBold(true);
    title_->setFont(f);
    setColour(title_, Qt::white);
    title_->installEventFilter(this);
    minimize_ = new SkinImage(QStringLiteral("img_Minimize"), this);
    minimize_->setPicture(Skin::Picture::Minimize);
    minimize_->setGeometry(kWidth - 66, 13, 22, 22);
    close_ = new SkinImage(QStringLiteral("img_Close"), this);
    close_->setPicture(Skin::Picture::Close);
    close_->setGeometry(kWidth - 38, 13, 22, 22);
    for (SkinImage* w : {minimize_, close_}) {
        w->installEventFilter(this);
        w->setCursor(Qt::PointingHandCursor);
    }
    minimize_->setToolTip(QStringLiteral("Minimize"));
    close_->setToolTip(QStringLiteral("Close"));
}

void MainWindow::buildButtons() {
    const int gap = (kWidth - 2 * kMargin - 8 * ImageButton::kWidth) / 7;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        auto* b = new ImageButton(QString::fromLatin1(kButtonNames[i]),
                                  QString::fromLatin1(kCaptionNames[i]),
                                  QString::fromLatin1(kCaptions[i]), this);
        b->move(kMargin + static_cast<int>(i) * (ImageButton::kWidth + gap), kButtonTop);
        buttons_[i] = b;
    }
}

void MainWindow::buildStatus() {
    addLabel(QStringLiteral("Lab_ConnectStatusTitle_Main"), QStringLiteral("Status"),
             QRect(kMargin + 10, kStatusTop, 48, 20));
    online_ = new SkinImage(QString::fromLatin1(main_names::OnlinePicture), this);
    online_->setPicture(Skin::Picture::Online);
    online_->setGeometry(kMargin + 60, kStatusTop + 2, 16, 16);
    online_->setToolTip(MessageTexts::english()[Msg::FormMainMsg6]);
    offline_ = new SkinImage(QString::fromLatin1(main_names::OfflinePicture), this);
    offline_->setPicture(Skin::Picture::Offline);
    offline_->setGeometry(online_->geometry());
    offline_->setToolTip(MessageTexts::english()[Msg::FormMainMsg5]);
    showOnline(false);
    addLabel(QString::fromLatin1(main_names::ConnectStatus),
             MessageTexts::english()[Msg::FormMainMsg5], QRect(kMargin + 82, kStatusTop, 557, 20));
    QLabel* sent = addLabel(QString::fromLatin1(main_names::CommandSent), QString(),
                            QRect(kPlotLeft - 6 - 199, kStatusTop, 199, 20));
    sent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setColour(sent, Skin::accent().darker(130));
    sent->hide();

    QLabel* fetch = addLabel(QString::fromLatin1(main_names::FetchFailure),
                             MessageTexts::english()[Msg::FormMainMsg0],
                             QRect(kMargin + 10, kStatusTop + 24, 428, 20));
    setColour(fetch, Skin::warning());
    fetch->hide();

    QLabel* upload = addLabel(QString::fromLatin1(main_names::UploadStatus), QString(),
                              QRect(kMargin + 10, kStatusTop + 48, 540, 20));
    setColour(upload, Skin::mutedInk());
    upload->hide();
    QLabel* failure = addLabel(QString::fromLatin1(main_names::UploadFailure), QString(),
                               QRect(kMargin + 10, kStatusTop + 48, 540, 20));
    setColour(failure, Skin::warning());
    failure->setCursor(Qt::PointingHandCursor);
    failure->installEventFilter(this);
    failure->hide();
    QLabel* countdown = addLabel(QString::fromLatin1(main_names::UploadCountdown), QString(),
                                 QRect(kWidth - kMargin - 90, kStatusTop + 48, 80, 20));
    countdown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setColour(countdown, Skin::mutedInk());

    const int row = kHeight - 46;
    QLabel* refreshTitle =
        addLabel(QStringLiteral("LabelAufreshTitle_Setup"),
                 QStringLiteral("Update Interval (5~180s):"), QRect(kMargin, row + 6, 170, 22));
    setColour(refreshTitle, Skin::mutedInk());
    refreshEdit_ = new QLineEdit(QStringLiteral("5"), this);
    refreshEdit_->setObjectName(QStringLiteral("EditAufresh_Setup"));
    refreshEdit_->setGeometry(kMargin + 172, row + 4, 52, 26);
    refreshEdit_->setMaxLength(3);
    refreshEdit_->setAlignment(Qt::AlignCenter);
    refreshEdit_->setAccessibleName(refreshTitle->text());
    changeButton_ =
        new ImageButton(QStringLiteral("SpBtnAufreshSec_Setup"), QStringLiteral("Lab_btnChange"),
                        QStringLiteral("Change"), this);
    changeButton_->move(kMargin + 232, row);
}

void MainWindow::bindForms(FormState& main, FormState* setup) {
    mainForm_ = &main;
    setupForm_ = setup;
    mainBinder_ = new FormBinder(main, this);
    QStringList names = {QString::fromLatin1(main_names::ConnectStatus),
                         QStringLiteral("Lab_ConnectStatusTitle_Main"),
                         QString::fromLatin1(main_names::CommandSent),
                         QString::fromLatin1(main_names::FetchFailure),
                         QString::fromLatin1(main_names::UploadStatus),
                         QString::fromLatin1(main_names::UploadFailure),
                         QString::fromLatin1(main_names::UploadCountdown),
                         QString::fromLatin1(main_names::OnlinePicture),
                         QString::fromLatin1(main_names::OfflinePicture)};
    for (const char* name : kButtonNames)
        names << QString::fromLatin1(name);
    // The column titles take their captions from the language texts too.
    for (const char* title :
         {"Name", "Type", "Progress", "Status", "Size", "DLSpeed", "UpSpeed", "TimeLeft"})
        names << QStringLiteral("lab_FVPageInfoLVTitle") + QLatin1String(title);
    mainBinder_->bind(this, names);
    if (setup) {
        setupBinder_ = new FormBinder(*setup, this);
        setupBinder_->bind(
            this, {QStringLiteral("EditAufresh_Setup"), QStringLiteral("SpBtnAufreshSec_Setup"),
                   QStringLiteral("LabelAufreshTitle_Setup")});
        setupArea_->bind(*setup);
    }
}

void MainWindow::showSetupArea(bool on) {
    tableView_->hide();
    setupArea_->setVisible(on);
    // The search belongs to the task list the setup area covers.
    filterBar_->setVisible(!on);
    if (on)
        setupArea_->raise();
}

void MainWindow::releaseForms() {
    setupArea_->release();
    delete mainBinder_;
    delete setupBinder_;
    mainBinder_ = nullptr;
    setupBinder_ = nullptr;
    mainForm_ = nullptr;
    setupForm_ = nullptr;
}

void MainWindow::setTaskList(TaskListControl* list) {
    rows_ = list;
    list_->setRows(list);
    if (list)
        list_->restoreState(list->topRow(), list->selectedRow());
}

void MainWindow::rowsChanged() {
    if (!rows_)
        return;
    const TaskLinesView& view = list_->view();
    const bool reset = rows_->topRow() == 0 && rows_->selectedRow() == -1;
    if (reset && (view.topRow() != 0 || view.selectedRow() != -1))
        list_->resetList();  // the list reset also clears the drawn lines
    list_->restoreState(rows_->topRow(), rows_->selectedRow());
    tray_->setSummary(TransferDigest::speedSummary(rows_->allRows()));
    tray_->notifyFinished(digest_.newlyFinished(rows_->allRows()));
}

void MainWindow::recordSpeeds() {
    if (!rows_)
        return;
    const auto totals = TransferDigest::totalsKBps(rows_->allRows());
    history_.add(clock_->nowMs(), totals.down, totals.up);
    plot_->update();
}

LayoutState MainWindow::layoutState() const {
    LayoutState state;
    state.windowPos = pos();
    state.windowSize = size();
    state.columnWidths = list_->columns().widths();
    state.filter = filterBar_->filter();
    return state;
}

void MainWindow::restoreLayout(const LayoutState& state) {
    if (state.windowSize) {
        // Never below the skin's size, never beyond the largest screen.
        QSize largest(kWidth, kHeight);
        for (const QScreen* screen : QGuiApplication::screens())
            largest = largest.expandedTo(screen->availableGeometry().size());
        resize(state.windowSize->expandedTo(minimumSize()).boundedTo(largest));
    }
    if (state.windowPos) {
        // A screen that was unplugged since must not leave the window out of sight.
        const QRect wanted(*state.windowPos, QSize(kWidth, kHeight));
        for (const QScreen* screen : QGuiApplication::screens()) {
            if (screen->availableGeometry().intersected(wanted).width() >= kWidth / 3 &&
                screen->availableGeometry().contains(wanted.topLeft() + QPoint(kWidth / 2, 10))) {
                move(*state.windowPos);
                break;
            }
        }
    }
    if (state.columnWidths)
        list_->restoreColumnWidths(*state.columnWidths);
    filterBar_->setFilter(state.filter);
}

void MainWindow::showOnline(bool online) {
    if (mainForm_) {
        // Through the form, so the connection logic and the window agree on what shows.
        mainForm_->setVisible(online_->objectName(), online);
        mainForm_->setVisible(offline_->objectName(), !online);
        return;
    }
    online_->setVisible(online);
    offline_->setVisible(!online);
}

void MainWindow::applyTexts(const TextSet& texts) {
    messages_ = texts.messages;
    client_ = texts.client;
    if (const auto title = texts.captionOf(LanguageWindow::Main, "Lab_ConnectStatusTitle_Main"))
        layoutStatusLine(*title);
    WindowTextWriter writer(*this);
    writer.throughForm(mainForm_).throughForm(setupForm_).alsoUnder(tray_->menu());
    writer.write(texts.texts(LanguageWindow::Main));
    writer.useJapaneseFont(texts.japaneseFontControls);
    // A column title's panel hints the whole title, which a narrow column cuts.
    for (QLabel* title : list_->findChildren<QLabel*>(QRegularExpression("^lab_FVPageInfoLVTitle")))
        title->parentWidget()->setToolTip(title->text());
    tray_->setFinishedTitle(client_[Ct::TrayDownloadFinished]);
    filterBar_->applyTexts(client_);
    list_->setTimeLeftCaption(client_[Ct::TimeLeftHint]);
    plot_->setTexts(client_[Ct::SpeedPlot], client_[Ct::FvctlTitleDown], client_[Ct::FvctlTitleUp]);
}

void MainWindow::layoutStatusLine(const QString& title) {
    // The connection pictures and line follow the status title, however long its word.
    auto* caption = findChild<QLabel*>(QStringLiteral("Lab_ConnectStatusTitle_Main"));
    auto* line = findChild<QLabel*>(QString::fromLatin1(main_names::ConnectStatus));
    const int width = std::clamp(caption->fontMetrics().horizontalAdvance(title) + 4, 48, 160);
    caption->resize(width, caption->height());
    const int x = caption->x() + width + 2;
    online_->move(x, online_->y());
    offline_->move(x, offline_->y());
    const int right = line->geometry().right();
    line->setGeometry(x + 22, line->y(), right - x - 21, line->height());
}

void MainWindow::openTaskMenu(int lineNumber, QPoint globalPos) {
    if (!rows_)
        return;
    const int row = list_->view().selectedRow();
    rows_->markRow(row);
    const QString name = rows_->text(row, kColName);
    const QString status = rows_->text(row, kColStatus);
    const bool remote = isRemote_ && isRemote_();
    const bool check = TaskMenuPlan::needsShareCheck(remote, name, status);
    // Without share access a finished file counts as missing.
    const std::optional<ShareEntryKind> known =
        check && !share_ ? std::optional(ShareEntryKind::Missing) : std::nullopt;
    const QPoint inList = list_->mapFromGlobal(globalPos);
    const int top = TaskMenuPlan::top(lineNumber, list_->lineTop(1), list_->lineTop(2));
    tableView_->setTag(QString());
    // The menu opens at once; the share check fills its entries in when it answers.
    tableView_->open(TaskMenuPlan::make(remote, name, status, known),
                     list_->mapToGlobal(QPoint(inList.x(), top)));
    const int opening = ++menuOpening_;
    if (!check || !share_)
        return;
    share_->probe(name, [this, opening, name, status](ShareEntryKind kind) {
        if (opening != menuOpening_ || !tableView_->isVisible())
            return;
        tableView_->showEntries(TaskMenuPlan::make(false, name, status, kind));
    });
}

void MainWindow::onMenuEntry(int entry) {
    if (!viewAction_ || (entry != 1 && entry != 2))
        return;
    viewAction_->setOpensFolder(entry == 1);
    onView();
}

void MainWindow::onView() {
    if (!viewAction_)
        return;
    try {
        viewAction_->view();
    } catch (const std::exception& e) {
        DebugLog::write(std::string("FVPageInfoImageListViewLineOnDblClickAction(); E.Message = ") +
                        e.what());
    }
}

void MainWindow::onRemoveKey() {
    if (!mainForm_)
        return;
    if (confirm_ && confirm_(client_[Ct::AskRemove]))
        mainForm_->click(QString::fromLatin1(kButtonNames[1]));
}

void MainWindow::toggleFromTray() {
    if (isMinimized()) {
        showNormal();
        bringToFront();
    } else if (isVisible()) {
        showMinimized();
    } else {
        showNormal();
        bringToFront();
    }
}

void MainWindow::showFromTray() {
    if (isMinimized()) {
        showNormal();
        bringToFront();
    } else if (!isVisible()) {
        showNormal();
        bringToFront();
    }
}

void MainWindow::exitFromTray() {
    closeRequested_ = true;
    close();
}

void MainWindow::bringToFront() {
    raise();
    activateWindow();
}

void MainWindow::resetButtons() {
    for (ImageButton* b : buttons_)
        b->resetPicture();
    changeButton_->resetPicture();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    // The children are transparent: each of their repaints paints this part of the window
    // first, so only what the dirty part touches is drawn.
    const QRect dirty = event->rect();
    QPainter p(this);
    Skin::drawWindowPart(p, rect(), kRadius, kHeaderHeight, dirty);
    // The status lines sit on a card of their own under the list.
    const int dy = (listLines() - SkinnedTaskList::kLines) * SkinnedTaskList::kLineHeight;
    const qreal cardRadius = 8;
    const QRectF card(kMargin - 0.5, kStatusTop - 6.5 + dy, width() - kWidth + 650, 80);
    Skin::drawCardPart(p, card, cardRadius, dirty);
    p.setRenderHint(QPainter::Antialiasing);
    // The size grip in the lower right corner.
    p.setPen(QPen(Skin::mutedInk(), 1));
    const QPointF corner(width() - 5.5, height() - 5.5);
    for (int d : {4, 8, 12})
        p.drawLine(corner - QPointF(d, 0), corner - QPointF(0, d));
}

Qt::Edges MainWindow::resizeEdges(QPoint pos) const {
    Qt::Edges edges;
    if (pos.x() >= width() - kGrip)
        edges |= Qt::RightEdge;
    if (pos.y() >= height() - kGrip)
        edges |= Qt::BottomEdge;
    // The rounded corner's grip reaches further in.
    if (pos.x() >= width() - 2 * kGrip && pos.y() >= height() - 2 * kGrip)
        edges = Qt::RightEdge | Qt::BottomEdge;
    return edges;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutForSize();
}

void MainWindow::startMove(QMouseEvent* event) {
    tableView_->hide();
    if (!isEnabled() || event->button() != Qt::LeftButton)
        return;
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    manualMove_ = true;
    moveOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    const Qt::Edges edges = resizeEdges(event->position().toPoint());
    if (edges && event->button() == Qt::LeftButton && isEnabled()) {
        tableView_->hide();
        if (windowHandle() && windowHandle()->startSystemResize(edges))
            return;
        // Without a window manager that resizes, the window follows the pointer itself.
        manualResize_ = edges;
        moveOffset_ = event->globalPosition().toPoint();
        resizeFrom_ = size();
        return;
    }
    startMove(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (manualResize_ && (event->buttons() & Qt::LeftButton)) {
        const QPoint d = event->globalPosition().toPoint() - moveOffset_;
        resize(resizeFrom_.width() + (manualResize_ & Qt::RightEdge ? d.x() : 0),
               resizeFrom_.height() + (manualResize_ & Qt::BottomEdge ? d.y() : 0));
        return;
    }
    if (manualMove_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - moveOffset_);
        return;
    }
    if (!busyCursorShowing()) {
        const Qt::Edges edges = resizeEdges(event->position().toPoint());
        if (edges == (Qt::RightEdge | Qt::BottomEdge))
            setCursor(Qt::SizeFDiagCursor);
        else if (edges & Qt::RightEdge)
            setCursor(Qt::SizeHorCursor);
        else if (edges & Qt::BottomEdge)
            setCursor(Qt::SizeVerCursor);
        else
            unsetCursor();
    }
    resetButtons();
}

void MainWindow::mouseReleaseEvent(QMouseEvent*) {
    manualMove_ = false;
    manualResize_ = {};
}

void MainWindow::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy != 0)
        list_->wheelStep(dy > 0 ? -1 : 1);
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls())
        return;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(paths);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit formShown();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    tableView_->hide();
    QWidget::closeEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == logo_ || watched == title_) {
        if (type == QEvent::MouseButtonPress)
            startMove(static_cast<QMouseEvent*>(event));
        else if (type == QEvent::MouseButtonRelease)
            manualMove_ = false;
        else if (type == QEvent::MouseMove && manualMove_)
            mouseMoveEvent(static_cast<QMouseEvent*>(event));
        return false;
    }
    if (watched == minimize_ || watched == close_) {
        const bool isClose = watched == close_;
        auto* image = static_cast<SkinImage*>(watched);
        if (type == QEvent::Enter) {
            image->setPicture(isClose ? Skin::Picture::CloseOver : Skin::Picture::MinimizeOver);
            if (!busyCursorShowing())
                image->setCursor(Qt::PointingHandCursor);
        } else if (type == QEvent::Leave) {
            image->setPicture(isClose ? Skin::Picture::Close : Skin::Picture::Minimize);
        } else if (type == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            if (isClose)
                exitFromTray();
            else
                showMinimized();
            return true;
        }
        return false;
    }
    if (type == QEvent::MouseButtonRelease && mainForm_ &&
        watched->objectName() == QLatin1String("LabTaskStatus_LinkContext_Main")) {
        mainForm_->click(watched->objectName());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace fv::ui
