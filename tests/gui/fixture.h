// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "core/placeholders.h"
#include "gui/messagebox.h"
#include "gui/qtext.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QAction;
class QComboBox;
class QLineEdit;

namespace tolvaren {
class ConverterForm;
class MainWindow;
struct ConversionMemory;
} // namespace tolvaren

namespace tolvaren::testing {

// Input, from, to and output of a converter form as designed.
inline const QStringList kDesignTexts{"", qstr(kFromPlaceholder), qstr(kToPlaceholder), qstr(kOutputPlaceholder)};
// Each category button of the welcome form and of the converter forms, by
// the design name of the form it sits on and its own, with the design name
// of the form it opens: read from the designs.
struct CategoryButton {
    QString form, button, opens;
};
QList<CategoryButton> categoryButtons();

// A message box as the tests write it: text, icon, title.
struct Box {
    QString text;
    MessageIcon icon = MessageIcon::Critical;
    QString title;
};

// A freshly started program for every test: the main window on screen with
// the welcome form inside, and message boxes recorded instead of shown.
// One program runs at a time; the functions below work on it.
class Program {
  public:
    // False when the main window never came on screen.
    bool start();
    void stop();

    MainWindow *main = nullptr;
    QList<Box> boxes;
};

// Gives `window` the keyboard, as a window manager would; false when it
// never became the active window.
bool activate(QWidget *window);

// The running program's conversion memory.
ConversionMemory &memory();

// The window with this design name: the form inside the main window or an
// open dialog; nullptr when none is open.
QWidget *loadedForm(const QString &name);
// The design names of the form inside the main window and of every open
// dialog, sorted.
QStringList loadedNames();

QAction *menuAction(MainWindow *main, const char *name);

// Opens a converter form from the welcome form, the way the user does.
ConverterForm *openConverter(const QString &form);

// A control of a loaded form by its design name, or nullptr.
template <typename T> T *control(const QString &form, const QString &name);

void click(QWidget *button);
void type(QLineEdit *edit, const QString &text);
// Picks the list item with exactly this text, or types the text key by key
// when the list holds no such item.
void chooseUnit(QComboBox *list, const QString &text);
// Enters the three texts of a conversion and presses Convert.
void convertOn(ConverterForm *form, const QString &input, const QString &from, const QString &to);

// Runs pending events and deletes what was handed to deleteLater (an
// unloaded form): nothing else runs the event loop in a test.
void settle();

// Input, from, to and output texts of a converter form.
QStringList fourTexts(const ConverterForm *form);
// Every text a form shows: edits, lists and labels, in child order.
QStringList allTexts(const QWidget *form);
// The design name of the control holding the keyboard focus.
QString focusName();

// Message boxes as "text | icon | title" texts, for comparing.
QStringList boxTexts(const QList<Box> &boxes);

// Runs `open`, which blocks in a modal event loop, and hands the modal
// window to `drive` from inside that loop; `drive` must close it. A watchdog
// closes every modal window after `timeoutMs`. True when the modal window
// appeared, was driven and closed without the watchdog.
bool driveModal(const std::function<void()> &open, const std::function<void(QWidget *)> &drive, int timeoutMs = 10000);

// Triggers Exit from inside the application's own event loop: true when the
// loop ended with code 0 before a watchdog had to end it.
bool exitEndsTheLoop(MainWindow *main, int timeoutMs = 10000);

} // namespace tolvaren::testing

template <typename T> T *tolvaren::testing::control(const QString &form, const QString &name)
{
    QWidget *f = loadedForm(form);
    return f ? f->findChild<T *>(name) : nullptr;
}
