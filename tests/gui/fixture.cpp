// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "fixture.h"

#include "forms/converters.h"
#include "forms/designs.h"
#include "gui/application.h"
#include "gui/converterform.h"
#include "gui/mainwindow.h"
#include "gui/qtext.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <QMdiArea>
#include <QMdiSubWindow>

namespace tolvaren::testing {

namespace {
MainWindow *running = nullptr;
}

bool Program::start()
{
    static const bool setUp = (prepareApplication(), setUpApplication(), true);
    Q_UNUSED(setUp);
    boxes.clear();
    setMessageHook([this](const Message &m) { boxes << Box{m.text, m.icon, m.title}; });
    main = new MainWindow;
    running = main;
    main->show();
    return QTest::qWaitForWindowExposed(main) && activate(main);
}

void Program::stop()
{
    delete main;
    main = running = nullptr;
    setMessageHook({});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool activate(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

ConversionMemory &memory() { return running->memory(); }

QWidget *loadedForm(const QString &name)
{
    if (running && running->currentForm() && running->currentForm()->objectName() == name)
        return running->currentForm();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog *>(w) && w->isVisible() && w->objectName() == name)
            return w;
    return nullptr;
}

QStringList loadedNames()
{
    QStringList names;
    if (running && running->currentForm())
        names << running->currentForm()->objectName();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog *>(w) && w->isVisible() && w->objectName() != QLatin1String("MsgBox"))
            names << w->objectName();
    names.sort();
    return names;
}

QAction *menuAction(MainWindow *main, const char *name)
{
    return main->menuBar()->findChild<QAction *>(QLatin1String(name));
}

QList<CategoryButton> categoryButtons()
{
    QList<const design::Form *> forms{&design::welcomeForm()};
    for (const design::Converter &c : design::converters())
        forms << &c.form;
    QList<CategoryButton> buttons;
    for (const design::Form *form : forms)
        for (const design::Control &c : form->controls)
            if (c.opensCategory)
                buttons.append({qstr(form->name), qstr(c.name), qstr(design::converterForm(*c.opensCategory)->name)});
    return buttons;
}

ConverterForm *openConverter(const QString &form)
{
    QPushButton *button = nullptr;
    for (const CategoryButton &b : categoryButtons())
        if (b.form == QLatin1String("Selection") && b.opens == form)
            button = control<QPushButton>(b.form, b.button);
    if (!button)
        return nullptr;
    click(button);
    return qobject_cast<ConverterForm *>(loadedForm(form));
}

void click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }

void type(QLineEdit *edit, const QString &text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

void chooseUnit(QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        list->setCurrentIndex(index);
        return;
    }
    list->lineEdit()->clear();
    QTest::keyClicks(list->lineEdit(), text);
}

void convertOn(ConverterForm *form, const QString &input, const QString &from, const QString &to)
{
    type(form->inputBox(), input);
    chooseUnit(form->fromList(), from);
    chooseUnit(form->toList(), to);
    click(form->findChild<QPushButton *>(QStringLiteral("Command1")));
}

void settle()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList boxTexts(const QList<Box> &boxes)
{
    const auto iconName = [](MessageIcon icon) {
        switch (icon) {
        case MessageIcon::Critical: return QStringLiteral("critical");
        case MessageIcon::Warning: return QStringLiteral("warning");
        case MessageIcon::Information: return QStringLiteral("information");
        }
        return QString();
    };
    QStringList texts;
    for (const Box &b : boxes)
        texts << QStringLiteral("%1 | %2 | %3").arg(b.text, iconName(b.icon), b.title);
    return texts;
}

QStringList fourTexts(const ConverterForm *form)
{
    return {form->inputBox()->text(), form->fromList()->currentText(), form->toList()->currentText(),
            form->outputBox()->text()};
}

QStringList allTexts(const QWidget *form)
{
    QStringList texts;
    for (const QWidget *w : form->findChildren<QWidget *>()) {
        if (auto *edit = qobject_cast<const QLineEdit *>(w); edit && !qobject_cast<QComboBox *>(edit->parent()))
            texts << w->objectName() + '=' + edit->text();
        else if (auto *list = qobject_cast<const QComboBox *>(w))
            texts << w->objectName() + '=' + list->currentText();
        else if (auto *label = qobject_cast<const QLabel *>(w))
            texts << w->objectName() + '=' + label->text();
    }
    return texts;
}

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    // An editable list's own edit field holds the focus for the list.
    if (w && qobject_cast<QComboBox *>(w->parentWidget()) && qobject_cast<QLineEdit *>(w))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

bool driveModal(const std::function<void()> &open, const std::function<void(QWidget *)> &drive, int timeoutMs)
{
    bool driven = false;
    bool rescued = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (driven || !modal || !modal->isVisible())
            return;
        driven = true;
        poll.stop();
        QPointer<QWidget> guard(modal);
        drive(modal);
        // A drive that stopped early (a failed check) must not leave the
        // window open.
        if (guard && guard->isVisible()) {
            rescued = true;
            guard->close();
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        rescued = true;
        for (int i = 0; i < 10; ++i) {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                break;
            modal->close();
        }
        // A dialog running its own loop without being modal.
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible())
                dialog->reject();
    });
    poll.start();
    watchdog.start(timeoutMs);
    open();
    poll.stop();
    watchdog.stop();
    return driven && !rescued;
}

bool exitEndsTheLoop(MainWindow *main, int timeoutMs)
{
    QTimer::singleShot(0, main, [main] { menuAction(main, "exx")->trigger(); });
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(timeoutMs);
    const int rc = QApplication::exec();
    return rc == 0 && !timedOut;
}

} // namespace tolvaren::testing
