#include "ui/FileSelectionWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/DebugLog.h"
#include "ui/Skin.h"

namespace fv::ui {
namespace {

TorrentReadResult files(const std::vector<std::pair<std::string, uint64_t>>& list) {
    TorrentReadResult r;
    r.status = 0;
    r.multiFile = 1;
    for (const auto& [name, length] : list)
        r.entries.push_back({name, int(r.entries.size()), "none", length});
    return r;
}

struct Appended {
    QString fileName, checked, fullPath;
};

class BtSelectWindow : public ::testing::Test {
  protected:
    FileSelectionWindow* open(const TorrentReadResult& read, const QString& path = "/d/x.torrent") {
        FileSelectionWindow::Hooks hooks;
        hooks.appendQueueEntry = [this](const QString& f, const QString& c, const QString& p) {
            appended_.push_back({f, c, p});
        };
        hooks.afterConfirm = [this] { ++confirmed_; };
        auto* w = new FileSelectionWindow(FileSelectionModel(path, read, QLocale(QLocale::English)),
                                          hooks);
        w->show();
        return w;
    }
    template <typename T = QWidget>
    static T* child(QWidget* w, const QString& name) {
        T* c = w->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    static QString text(QWidget* w, const QString& name) {
        auto* l = child<QLabel>(w, name);
        return l ? l->text() : QString();
    }
    static QString picture(QWidget* w, int slot) {
        return child(w, "img_BtSelectListViewCheck_" + QString::number(slot))
            ->property("picture")
            .toString();
    }
    static void click(QWidget* w, const QString& name) {
        QTest::mouseClick(child(w, name), Qt::LeftButton);
    }
    // The window deletes itself on close; deferred deletes run here.
    static bool gone(const QPointer<FileSelectionWindow>& w) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return w.isNull();
    }

    std::vector<Appended> appended_;
    int confirmed_ = 0;
};

TEST_F(BtSelectWindow, ShowsRowsWithPreselectionAndQueuesChosenIndices) {
    QPointer<FileSelectionWindow> w =
        open(files({{"a.mkv", 1023}, {"b.nfo", 1024}, {"c.srt", 1048576}}));
    EXPECT_EQ(text(w, "LabFileName_BtSelect"), "x.torrent");
    const char* expected[][3] = {
        {"0", "a.mkv", "1023B"}, {"1", "b.nfo", "1.0KB"}, {"2", "c.srt", "1.0MB"}};
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i);
        EXPECT_EQ(text(w, "lab_BtSelectListViewID_" + n), expected[i][0]);
        EXPECT_EQ(text(w, "lab_BtSelectListViewFileName_" + n), expected[i][1]);
        EXPECT_EQ(text(w, "lab_BtSelectListViewFileSize_" + n), expected[i][2]);
    }
    EXPECT_EQ(picture(w, 0), Skin::name(Skin::Picture::CheckOn));
    EXPECT_EQ(picture(w, 1), Skin::name(Skin::Picture::CheckOff));
    EXPECT_FALSE(child(w, "img_BtSelectListViewCheck_3")->isVisible());
    EXPECT_FALSE(child(w, "img_BtSelectListViewScrollVerticalThumb")->isVisible());
    click(w, "BtnSelect_BtSelect");
    ASSERT_EQ(appended_.size(), 1u);
    EXPECT_EQ(appended_[0].fileName, "x.torrent");
    EXPECT_EQ(appended_[0].checked, "0,2");
    EXPECT_EQ(appended_[0].fullPath, "/d/x.torrent");
    EXPECT_EQ(confirmed_, 1);
    EXPECT_TRUE(gone(w));
}

TEST_F(BtSelectWindow, RowImageSelectAllAndSortingChangeTheChoice) {
    QPointer<FileSelectionWindow> w = open(files({{"b.txt", 5}, {"A.txt", 50}, {"c.txt", 500}}));
    click(w, "img_BtSelectListViewCheck_1");
    EXPECT_EQ(picture(w, 1), Skin::name(Skin::Picture::CheckOn));
    click(w, "lab_BtSelectListViewTitleFileName");  // first click: descending
    EXPECT_EQ(text(w, "lab_BtSelectListViewFileName_0"), "c.txt");
    EXPECT_EQ(text(w, "lab_BtSelectListViewFileName_2"), "A.txt");
    EXPECT_EQ(picture(w, 2), Skin::name(Skin::Picture::CheckOn));  // the mark moved with its row
    click(w, "Lab_BoxSelectAll_BtSelect");
    EXPECT_TRUE(child<QCheckBox>(w, "ChkBoxSelectAll_BtSelect")->isChecked());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(picture(w, i), Skin::name(Skin::Picture::CheckOn));
    click(w, "BtnSelect_BtSelect");
    ASSERT_EQ(appended_.size(), 1u);
    EXPECT_EQ(appended_[0].checked, "All");
}

TEST_F(BtSelectWindow, ScrollImagesWheelAndThumbMoveTheFiveRowWindow) {
    std::vector<std::pair<std::string, uint64_t>> list;
    for (int i = 0; i < 9; ++i)
        list.emplace_back(QString("f%1").arg(i).toStdString(), 1);
    QPointer<FileSelectionWindow> w = open(files(list));
    QWidget* thumb = child(w, "img_BtSelectListViewScrollVerticalThumb");
    EXPECT_TRUE(thumb->isVisible());
    const int top0 = thumb->y();
    click(w, "img_BtSelectListViewScrollVerticalDown");
    EXPECT_EQ(text(w, "lab_BtSelectListViewID_0"), "1");
    EXPECT_EQ(thumb->y(), top0 + 5);
    QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -1200),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &wheel);
    EXPECT_EQ(text(w, "lab_BtSelectListViewID_0"), "4");
    EXPECT_EQ(text(w, "lab_BtSelectListViewID_4"), "8");
    click(w, "img_BtSelectListViewScrollVerticalUp");
    EXPECT_EQ(text(w, "lab_BtSelectListViewID_0"), "3");
    click(w, "img_BtSelectClose");
    EXPECT_TRUE(appended_.empty());
    EXPECT_EQ(confirmed_, 0);
    EXPECT_TRUE(gone(w));
}

TEST_F(BtSelectWindow, DamagedTorrentShowsFormatErrorAndQueuesNothing) {
    QPointer<FileSelectionWindow> w = open(TorrentReadResult{}, "/d/broken.torrent");
    EXPECT_EQ(text(w, "LabFileName_BtSelect"), "broken.torrent - Wrong Format of Bt File.");
    EXPECT_FALSE(child(w, "img_BtSelectListViewCheck_0")->isVisible());
    click(w, "BtnSelect_BtSelect");
    EXPECT_TRUE(appended_.empty());
    EXPECT_EQ(confirmed_, 1);  // OK still reloads and restarts sending
    EXPECT_TRUE(gone(w));
}

TEST_F(BtSelectWindow, SeveralWindowsOpenAtOnceAndCancelQueuesNothing) {
    QPointer<FileSelectionWindow> a = open(files({{"a.mkv", 1}}), "/d/a.torrent");
    QPointer<FileSelectionWindow> b = open(files({{"b.mkv", 1}}), "/d/b.torrent");
    EXPECT_TRUE(a->isVisible());
    EXPECT_TRUE(b->isVisible());
    click(a, "BtnCancel_BtSelect");
    EXPECT_TRUE(gone(a));
    ASSERT_FALSE(b.isNull());
    click(b, "BtnSelect_BtSelect");
    ASSERT_EQ(appended_.size(), 1u);
    EXPECT_EQ(appended_[0].fileName, "b.torrent");
    EXPECT_EQ(appended_[0].checked, "All");
}

TEST_F(BtSelectWindow, PositionHintIsUsedOnceAfterTheShortTimer) {
    bool hint = true;
    QWidget main;
    main.setGeometry(300, 300, 600, 400);
    FileSelectionWindow::Hooks hooks;
    hooks.positionByTimer = &hint;
    hooks.mainWindow = &main;
    QPointer<FileSelectionWindow> w =
        new FileSelectionWindow(FileSelectionModel("/d/a.torrent", files({{"a.mkv", 1}})), hooks);
    w->show();
    EXPECT_TRUE(hint);
    QTest::qWait(1100);
    EXPECT_FALSE(hint);
    const QPoint offset = w->frameGeometry().center() - main.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);  // centring rounds odd sizes
    w->close();
}

}  // namespace
}  // namespace fv::ui
