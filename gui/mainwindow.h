// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "core/memory.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <optional>

class QMdiArea;
class QMenu;
class QMdiSubWindow;

namespace tolvaren {

namespace design {
struct Form;
struct MenuItem;
} // namespace design

struct Category;
class FormWidget;

// The frame of the program: the File and Help menus over a workspace that
// shows one child form at a time, maximised. It owns the conversion memory
// the converter forms share.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget *parent = nullptr);

    // Test hooks: nothing in the program calls these. The workspace, the form
    // shown inside it (or nullptr) and the conversion memory the forms share.
    QMdiArea *mdiArea() const { return m_mdi; }
    QWidget *currentForm() const;
    ConversionMemory &memory() { return m_memory; }

  public slots:
    // Each replaces the form inside with another, as it first opened.
    void showWelcome();
    void showConverter(const tolvaren::Category &category);

    void showPrefixConverter();
    void clearMemory();
    // The window at its designed outer size: border, title bar and menu bar
    // included.
    void restoreOriginalSize();
    void showHelpLocation();
    void about();

  protected:
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

  private:
    void takeKeyboard();
    void createMenus();
    QMenu *addMenu(const design::MenuItem &menu);
    template <typename Slot> void addItem(QMenu *menu, const design::MenuItem &item, Slot slot);
    FormWidget *builtForm(const design::Form &design) const;
    void showForm(const design::Form &design, FormWidget *form);

    QMdiArea *m_mdi = nullptr;
    QPointer<QMdiSubWindow> m_child;
    // Each form is built the first time it is asked for and kept, hidden,
    // while others are shown: a form built anew had every one of its
    // controls announced to screen readers, one by one, before they could
    // hear where the focus went.
    QHash<const design::Form *, QMdiSubWindow *> m_frames;
    ConversionMemory m_memory;
    // The designed outer size, and the frame it was last fitted to, while
    // the window manager may still tell a frame other than assumed.
    QSize m_outerPx;
    std::optional<QSize> m_fittedFrame;
};

} // namespace tolvaren
