#include "ui/AccessibleWidgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <map>
#include <utility>

#include "tasks/MainControlNames.h"
#include "ui/ImageButton.h"
#include "ui/Skin.h"
#include "ui/SkinnedTaskList.h"

namespace fv::ui {
namespace {

// The columns a row's name reads, in this order; the others are in its cells.
constexpr int kRowNameColumns[] = {kColName, kColStatus, kColProgress, kColSize};

class TaskTableAccessible;

// Marks the interfaces made here, so that one Qt made before (see InterfaceRefresher) is told
// apart.
struct Ours {
    virtual ~Ours() = default;
};

class TaskCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    TaskCellAccessible(const TaskTableAccessible* table, int row, int column)
        : table_(table), row_(row), column_(column) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

  private:
    const TaskTableAccessible* table_;
    int row_;
    int column_;
};

class TaskRowAccessible : public QAccessibleInterface {
  public:
    TaskRowAccessible(const TaskTableAccessible* table, int row) : table_(table), row_(row) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override { return kColumnCount; }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Row; }
    QAccessible::State state() const override;

  private:
    const TaskTableAccessible* table_;
    int row_;
};

// The list as a table over its row source: every row, whether drawn or scrolled away.
class TaskTableAccessible : public QAccessibleWidget,
                            public QAccessibleTableInterface,
                            public Ours {
  public:
    explicit TaskTableAccessible(SkinnedTaskList* list)
        : QAccessibleWidget(list, QAccessible::Table) {}
    ~TaskTableAccessible() override {
        for (const auto& [key, id] : cells_)
            QAccessible::deleteAccessibleInterface(id);
        for (const auto& [key, id] : rows_)
            QAccessible::deleteAccessibleInterface(id);
    }

    SkinnedTaskList* list() const { return static_cast<SkinnedTaskList*>(widget()); }
    QString cellText(int row, int column) const {
        const TaskRowSource* rows = list()->rows();
        return rows ? rows->text(row, column) : QString();
    }
    // 0-based drawn line of the row, -1 when it is scrolled away.
    int lineOf(int row) const {
        const int line = row - list()->view().topRow();
        return line >= 0 && line < SkinnedTaskList::kLines ? line : -1;
    }
    QRect lineRect(int row) const {
        const int line = lineOf(row);
        if (line < 0)
            return QRect();
        const QPoint topLeft = list()->mapToGlobal(QPoint(0, list()->lineTop(line + 1)));
        return QRect(topLeft, QSize(list()->viewportWidth(), SkinnedTaskList::kLineHeight));
    }
    QAccessibleInterface* rowAt(int row) const {
        if (row < 0 || row >= rowCount())
            return nullptr;
        return cached(rows_, row, [&] { return new TaskRowAccessible(this, row); });
    }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= kColumnCount)
            return nullptr;
        return cached(cells_, std::make_pair(row, column),
                      [&] { return new TaskCellAccessible(this, row, column); });
    }

    // QAccessibleInterface
    int childCount() const override { return rowCount(); }
    QAccessibleInterface* child(int index) const override { return rowAt(index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [row, id] : rows_)
            if (QAccessible::accessibleInterface(id) == child)
                return row < rowCount() ? row : -1;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int line = 0; line < SkinnedTaskList::kLines; ++line) {
            const int row = list()->view().topRow() + line;
            if (lineRect(row).contains(x, y))
                return rowAt(row);
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return list()->hasFocus() ? rowAt(list()->view().selectedRow()) : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return list()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    int selectedCellCount() const override { return selectedRowCount() * kColumnCount; }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> out;
        for (int row : selectedRows())
            for (int column = 0; column < kColumnCount; ++column)
                out << cellAt(row, column);
        return out;
    }
    QString columnDescription(int column) const override { return list()->columnTitle(column); }
    QString rowDescription(int row) const override {
        const QAccessibleInterface* r = rowAt(row);
        return r ? r->text(QAccessible::Name) : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return kColumnCount; }
    int rowCount() const override {
        const TaskRowSource* rows = list()->rows();
        return rows ? rows->rowCount() : 0;
    }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override {
        const int row = list()->view().selectedRow();
        return row >= 0 && row < rowCount() ? QList<int>{row} : QList<int>{};
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    // The selection follows the user's clicks and keys on the list itself.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    template <class Key, class Make>
    static QAccessibleInterface* cached(std::map<Key, QAccessible::Id>& ids, const Key& key,
                                        Make make) {
        const auto found = ids.find(key);
        if (found != ids.end())
            return QAccessible::accessibleInterface(found->second);
        QAccessibleInterface* made = make();
        ids.emplace(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    mutable std::map<int, QAccessible::Id> rows_;
    mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

bool TaskRowAccessible::isValid() const {
    return table_->isValid() && row_ < table_->rowCount();
}
QWindow* TaskRowAccessible::window() const {
    return table_->window();
}
QAccessibleInterface* TaskRowAccessible::parent() const {
    return const_cast<TaskTableAccessible*>(table_);
}
QAccessibleInterface* TaskRowAccessible::child(int index) const {
    return table_->cellAt(row_, index);
}
QAccessibleInterface* TaskRowAccessible::childAt(int x, int y) const {
    for (int column = 0; column < kColumnCount; ++column) {
        QAccessibleInterface* cell = child(column);
        if (cell && cell->rect().contains(x, y))
            return cell;
    }
    return nullptr;
}
int TaskRowAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int column = 0; column < kColumnCount; ++column)
        if (table_->cellAt(row_, column) == child)
            return column;
    return -1;
}
QString TaskRowAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !isValid())
        return QString();
    QStringList parts;
    for (int column : kRowNameColumns)
        parts << table_->cellText(row_, column);
    return parts.join(QStringLiteral(", "));
}
QRect TaskRowAccessible::rect() const {
    return table_->lineRect(row_);
}
QAccessible::State TaskRowAccessible::state() const {
    QAccessible::State s;
    s.selectable = true;
    s.focusable = true;
    s.selected = table_->isRowSelected(row_);
    s.focused = s.selected && table_->list()->hasFocus();
    s.invisible = table_->lineOf(row_) < 0;
    s.offscreen = s.invisible;
    return s;
}

bool TaskCellAccessible::isValid() const {
    return table_->isValid() && row_ < table_->rowCount();
}
QWindow* TaskCellAccessible::window() const {
    return table_->window();
}
QAccessibleInterface* TaskCellAccessible::parent() const {
    return table_->rowAt(row_);
}
QAccessibleInterface* TaskCellAccessible::table() const {
    return const_cast<TaskTableAccessible*>(table_);
}
QString TaskCellAccessible::text(QAccessible::Text t) const {
    if (!isValid())
        return QString();
    if (t == QAccessible::Name)
        return table_->cellText(row_, column_);
    if (t == QAccessible::Description)
        return table_->columnDescription(column_);
    return QString();
}
QRect TaskCellAccessible::rect() const {
    const QRect line = table_->lineRect(row_);
    if (line.isNull())
        return line;
    const ColumnLayout& columns = table_->list()->columns();
    const int left = columns.left(column_) - table_->list()->horizontal().shiftPx();
    return QRect(line.left() + left, line.top(), columns.width(column_), line.height());
}
QAccessible::State TaskCellAccessible::state() const {
    QAccessible::State s;
    s.selectable = true;
    s.selected = isSelected();
    s.invisible = table_->lineOf(row_) < 0;
    s.offscreen = s.invisible;
    return s;
}
bool TaskCellAccessible::isSelected() const {
    return table_->isRowSelected(row_);
}

// A skinned button: the visible caption is its name, Space/Enter/press click it.
class ImageButtonAccessible : public QAccessibleWidget, public Ours {
  public:
    explicit ImageButtonAccessible(ImageButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            if (!widget()->accessibleName().isEmpty())
                return widget()->accessibleName();
            const auto* button = static_cast<ImageButton*>(widget());
            for (const QLabel* caption : button->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
                if (!caption->isHidden())
                    return caption->text();
            return button->caption()->text();
        }
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            if (widget()->isEnabled())
                emit static_cast<ImageButton*>(widget())->clicked();
            return;
        }
        QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        return action == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
    }
};

// The lines under the list that report the connection, a command or an upload.
class StatusLineAccessible : public QAccessibleWidget, public Ours {
  public:
    explicit StatusLineAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StatusBar) {}
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

bool isStatusLine(const QObject* object) {
    const QString name = object->objectName();
    for (const char* line :
         {main_names::ConnectStatus, main_names::FetchFailure, main_names::CommandSent,
          main_names::UploadStatus, main_names::UploadFailure, main_names::UploadCountdown})
        if (name == QLatin1String(line))
            return true;
    return false;
}

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("fv::ui::SkinnedTaskList"))
        return new TaskTableAccessible(static_cast<SkinnedTaskList*>(object));
    if (className == QLatin1String("fv::ui::ImageButton"))
        return new ImageButtonAccessible(static_cast<ImageButton*>(object));
    if (className == QLatin1String("QLabel") && isStatusLine(object))
        return new StatusLineAccessible(static_cast<QLabel*>(object));
    return nullptr;
}

// Qt makes a widget's interface as soon as the widget reports a change, which may be while it
// is still being built: a button's base class is all there is then, a label has no object
// name yet, and the plain interface made for it would stay. When such a widget is polished
// (before it is first shown) that interface is dropped, so the next query makes the right one.
class InterfaceRefresher : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish && watched->isWidgetType() && wanted(watched)) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(watched);
            if (iface && !dynamic_cast<Ours*>(iface))
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
            if (auto* list = qobject_cast<SkinnedTaskList*>(watched))
                announceSelection(list);
        }
        return false;
    }

  private:
    // A screen reader speaks the row the selection moved to (click or keys) as it would an
    // item view's current row. Polish comes once per widget, so this is connected once.
    static void announceSelection(SkinnedTaskList* list) {
        QObject::connect(list, &SkinnedTaskList::selectionChanged, list, [list](int row) {
            if (!QAccessible::isActive())
                return;
            auto* table =
                dynamic_cast<TaskTableAccessible*>(QAccessible::queryAccessibleInterface(list));
            QAccessibleInterface* rowIface = table ? table->rowAt(row) : nullptr;
            if (!rowIface)
                return;
            QAccessibleEvent selection(rowIface, QAccessible::Selection);
            QAccessible::updateAccessibility(&selection);
            if (list->hasFocus()) {
                QAccessibleEvent focus(rowIface, QAccessible::Focus);
                QAccessible::updateAccessibility(&focus);
            }
        });
    }
    static bool wanted(QObject* o) {
        return qobject_cast<ImageButton*>(o) || qobject_cast<SkinnedTaskList*>(o) ||
               (qobject_cast<QLabel*>(o) && isStatusLine(o));
    }
};

class FocusFrame : public QWidget {
  public:
    explicit FocusFrame(QWidget* target) : QWidget(target), target_(target) {
        setObjectName(target->objectName() + QStringLiteral("_FocusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
        target->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == target_) {
            switch (event->type()) {
                case QEvent::FocusIn:
                    setGeometry(target_->rect());
                    raise();
                    show();
                    break;
                case QEvent::FocusOut:
                    hide();
                    break;
                case QEvent::Resize:
                    setGeometry(target_->rect());
                    break;
                default:
                    break;
            }
        }
        return false;
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(Skin::accent(), 2, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

  private:
    QPointer<QWidget> target_;
};

}  // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        if (QCoreApplication::instance())
            QCoreApplication::instance()->installEventFilter(
                new InterfaceRefresher(QCoreApplication::instance()));
        return true;
    }();
    (void)installed;
}

void attachFocusFrame(QWidget* target) {
    new FocusFrame(target);
}

}  // namespace fv::ui
