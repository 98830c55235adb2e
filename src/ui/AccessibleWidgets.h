// What a screen reader (through Qt's accessibility bridge, AT-SPI on Linux) learns of the
// skinned widgets, which draw themselves and so tell Qt nothing on their own:
// - the task list is a table of every task (not only the five drawn lines): each row a
//   "Row" named "file name, status, progress, size", with one cell per column under the
//   column's title, selected and focused as the list's selection;
// - an image button is a push button named by the caption it shows, with its press action;
// - the status lines under the list are status-bar texts whose name is what they say.
// A frame drawn around the task list while it has keyboard focus shows where the keys go.
#pragma once

class QWidget;

namespace fv::ui {

// Registers the interfaces with Qt once per process; later calls do nothing.
void installAccessibleInterfaces();

// A focus frame over target (drawn above its child widgets) while target has focus.
void attachFocusFrame(QWidget* target);

}  // namespace fv::ui
