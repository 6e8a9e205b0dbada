// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/mainwindow.h"

#include "categories/category.h"
#include "forms/converters.h"
#include "forms/designs.h"
#include "forms/twips.h"
#include "gui/aboutbox.h"
#include "gui/announce.h"
#include "gui/builder.h"
#include "gui/converterform.h"
#include "gui/messagebox.h"
#include "gui/prefixdialog.h"
#include "gui/qtext.h"
#include "gui/workarounds/workarounds.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QShowEvent>

namespace tolvaren {

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    const design::Form &d = design::mainForm();
    setObjectName(qstr(d.name));
    setWindowTitle(qstr(d.caption));
    setWindowIcon(loadIcon(d.icon));
    m_mdi = new QMdiArea(this);
    m_mdi->setBackground(systemColour(d.backSystem));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    createMenus();

    showWelcome();
    restoreOriginalSize();
}

// The menus as designed, each command's action connected to its slot.
void MainWindow::createMenus()
{
    const design::MainMenus &m = design::mainMenus();
    QMenu *file = addMenu(m.file);
    addItem(file, m.prefixConverter, &MainWindow::showPrefixConverter);
    addItem(file, m.fileLine1, nullptr);
    addItem(file, m.refreshMemory, &MainWindow::clearMemory);
    addItem(file, m.originalSize, &MainWindow::restoreOriginalSize);
    addItem(file, m.fileLine2, nullptr);
    addItem(file, m.exit, &QApplication::quit);
    QMenu *help = addMenu(m.help);
    addItem(help, m.helpTopics, &MainWindow::showHelpLocation);
    addItem(help, m.about, &MainWindow::about);
}

QMenu *MainWindow::addMenu(const design::MenuItem &menu)
{
    QMenu *added = menuBar()->addMenu(qstr(menu.caption));
    added->setObjectName(qstr(menu.name));
    return added;
}

// A separator line when the slot is nullptr.
template <typename Slot> void MainWindow::addItem(QMenu *menu, const design::MenuItem &item, Slot slot)
{
    if constexpr (std::is_null_pointer_v<Slot>) {
        menu->addSeparator()->setObjectName(qstr(item.name));
    } else {
        QAction *action = menu->addAction(qstr(item.caption));
        action->setObjectName(qstr(item.name));
        if constexpr (std::is_member_function_pointer_v<Slot>)
            connect(action, &QAction::triggered, this, slot);
        else
            connect(action, &QAction::triggered, qApp, slot);
    }
}

QWidget *MainWindow::currentForm() const { return m_child ? m_child->widget() : nullptr; }

void MainWindow::showWelcome()
{
    const design::Form &d = design::welcomeForm();
    FormWidget *form = builtForm(d);
    if (!form) {
        form = new FormWidget(d);
        connect(form, &FormWidget::categoryRequested, this, &MainWindow::showConverter);
    }
    showForm(d, form);
}

void MainWindow::showConverter(const Category &category)
{
    const design::Form *d = design::converterForm(category);
    if (!d)
        qFatal("No converter form for %s", qPrintable(qstr(category.name)));
    FormWidget *form = builtForm(*d);
    if (!form) {
        form = new ConverterForm(*d, category, m_memory);
        connect(form, &FormWidget::categoryRequested, this, &MainWindow::showConverter);
    }
    showForm(*d, form);
}

FormWidget *MainWindow::builtForm(const design::Form &design) const
{
    const QMdiSubWindow *frame = m_frames.value(&design);
    return frame ? static_cast<FormWidget *>(frame->widget()) : nullptr;
}

void MainWindow::showForm(const design::Form &design, FormWidget *form)
{
    // Readers hear of the focus once, on the new form's first control.
    const FocusSettling settling;
    form->prepareOpening();
    if (m_child)
        m_child->hide();
    QMdiSubWindow *&frame = m_frames[&design];
    if (!frame) {
        // No close, minimise or maximise buttons of its own: closing the
        // only child would leave no way back to any converter.
        frame = new QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        frame->setWidget(form);
        // The frame keeps no title of its own, so a maximised child does
        // not rewrite the main window's caption to "... - [child]".
        frame->setWindowTitle(QString());
        frame->setAccessibleName(form->windowTitle());
        frame->setSystemMenu(nullptr);
        frame->setOption(QMdiSubWindow::RubberBandResize);
        m_mdi->addSubWindow(frame);
    }
    m_child = frame;
    // Maximised and active: the form gives the focus to its first control
    // as it shows, and nothing else takes it on the way.
    frame->showMaximized();
}

void MainWindow::showPrefixConverter() { showModal(new PrefixDialog(this), this); }

void MainWindow::clearMemory()
{
    m_memory.clear();
    announce(this, QStringLiteral("Memory cleared"));
}

// Also where no window manager hands the keyboard to the window: when it
// first shows, and when a window of its own has closed.
void MainWindow::takeKeyboard() { takeKeyboardBack(this); }

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        takeKeyboard();
}

void MainWindow::restoreOriginalSize()
{
    if (isMaximized() || isMinimized() || isFullScreen())
        showNormal();
    const design::OuterSize outer = design::mainOuterSize();
    m_outerPx = QSize(twipsToPixels(outer.width), twipsToPixels(outer.height));
    m_fittedFrame = frameGeometry().size() - geometry().size();
    resize(m_outerPx - *m_fittedFrame);
}

// A window manager tells the frame's thickness some time after the window
// is mapped, as it puts its frame around it and so moves it: fitted to no
// frame or another, the window is fitted again then, once.
void MainWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    if (!m_fittedFrame || windowState() != Qt::WindowNoState)
        return;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame == *m_fittedFrame)
        return;
    resize(m_outerPx - frame);
    m_fittedFrame.reset();
}

void MainWindow::showHelpLocation()
{
    showMessage(MessageIcon::Information, QStringLiteral("Help Topics"),
                QStringLiteral("Help Topics can be found in: tolvhelp.html in the same directory"));
    takeKeyboard();
}

void MainWindow::about() { showModal(new AboutBox(this), this); }

} // namespace tolvaren
