// Small factories for the widgets of the windows: each control gets its control
// name as object name, so that the field binder finds it, and captions keep the
// system's texts with their line breaks.
#pragma once

#include "ui/bind/FontScale.h"

#include <QSize>
#include <QString>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace millcalc {

class PictureLabel;

// What a control that shows only a picture does, for its tooltip; empty for
// any other control.
QString pictureToolTip(const QString& name);

// A caption of the system: UTF-8, with "\r\n" as its line break.
QString caption(const char* text);

QLabel* captionLabel(const char* text);
// The caption of an input field beside it on its page, from the one table of
// captions (app/FieldCaptions.h), the widget its buddy. Throws
// std::logic_error for a field to which the table gives no such caption.
QLabel* fieldLabel(const char* field, QWidget* widget);
QLabel* unitLabel(const char* text);
// The widths are lengths for the standard font (fromFont).
QLineEdit* textField(const char* name, int width = 80);
QComboBox* editableList(const char* name, int width = 80);
// A drop-down list of the given width, or as wide as its longest item when
// the width is 0.
QComboBox* dropDownList(const char* name, int width = 80);
QPushButton* textButton(const char* name, const char* text);
// A button with a picture: ":/pictures/<name>.svg" when the picture exists,
// otherwise a stock icon of the style.
QPushButton* pictureButton(const char* name, int stockIcon);
// The small button of a calculation step beside its results.
QPushButton* stepButton(const char* name);
PictureLabel* picture(const char* name, QSize placeholder);
QGroupBox* groupBox(const char* title);
// A radio group: a frame whose buttons the binder builds from the field's items,
// laid out in the given number of columns.
QGroupBox* radioGroup(const char* name, int columns = 1);
// Puts the picture of a radio group's choice at the group's right edge.
void addGroupPicture(QGroupBox* group, QWidget* picture);
// A string grid; its binding shows the field's heading rows and columns as
// the table's headers.
QTableWidget* grid(const char* name);

// A tab widget for sizeToShownPage().
QTabWidget* shownPageTabs();

// The pages ask for the size of its shown page alone, not of the largest:
// a narrow page leaves its room to the windows beside it.
// With PageWidth::Widest they ask for the width of the widest page instead,
// so that the controls around them keep their places from page to page.
enum class PageWidth { Shown, Widest };
void sizeToShownPage(QTabWidget* pages, PageWidth width = PageWidth::Shown);

// One line of a form: a caption in the first column, the field in the second
// and an optional unit or picture in the third.
void addRow(QGridLayout* layout, const char* label, QWidget* field, QWidget* extra = nullptr);
// The same with a label made already (fieldLabel).
void addLabelledRow(QGridLayout* layout, QLabel* label, QWidget* field, QWidget* extra = nullptr);

} // namespace millcalc
