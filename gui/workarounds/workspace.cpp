// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The workspace that holds a form inside the main window. Qt 6.4.2 names
// the frame around a form (QMdiSubWindow) by its title alone, which it
// leaves empty so that the main window's caption stays as it is: switching
// forms says only "frame". It gives the frame the workspace's inner
// viewport as parent, and calls the workspace a layered pane, which a
// reader names ("layered pane") whenever the focus comes into a form from
// a menu or another window. To see them: switch forms under Orca, or walk
// the tree up from a form through AT-SPI. No Qt bug report known. Here the
// frame is named by the form's caption, and the workspace is an unnamed
// pane, which readers pass over.

#include "gui/workarounds/parts.h"

#include <QAccessibleWidget>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace tolvaren {

namespace {

class SubWindowAccessible : public QAccessibleWidget {
  public:
    explicit SubWindowAccessible(QMdiSubWindow *frame) : QAccessibleWidget(frame, QAccessible::Window) {}

    QMdiSubWindow *frame() const { return static_cast<QMdiSubWindow *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && frame()->windowTitle().isEmpty())
            return frame()->accessibleName();
        return t == QAccessible::Name ? frame()->windowTitle() : QAccessibleWidget::text(t);
    }
    // The workspace lists the frame as its child, so the frame names the
    // workspace as its parent (Qt would give the workspace's inner viewport).
    QAccessibleInterface *parent() const override
    {
        return frame()->mdiArea() ? QAccessible::queryAccessibleInterface(frame()->mdiArea())
                                  : QAccessibleWidget::parent();
    }
    int childCount() const override { return frame()->widget() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && frame()->widget() ? QAccessible::queryAccessibleInterface(frame()->widget()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && frame()->widget() && child->object() == frame()->widget() ? 0 : -1;
    }
};

class WorkspaceAccessible : public QAccessibleWidget {
  public:
    explicit WorkspaceAccessible(QMdiArea *area) : QAccessibleWidget(area, QAccessible::Pane) {}

    QMdiArea *area() const { return static_cast<QMdiArea *>(widget()); }

    int childCount() const override { return int(area()->subWindowList().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QMdiSubWindow *> frames = area()->subWindowList();
        return index >= 0 && index < frames.size() ? QAccessible::queryAccessibleInterface(frames[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(area()->subWindowList().indexOf(qobject_cast<QMdiSubWindow *>(child->object()))) : -1;
    }
};

QAccessibleInterface *workspaceAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("QMdiArea"))
        if (auto *area = qobject_cast<QMdiArea *>(object))
            return new WorkspaceAccessible(area);
    if (className == QLatin1String("QMdiSubWindow"))
        if (auto *frame = qobject_cast<QMdiSubWindow *>(object))
            return new SubWindowAccessible(frame);
    return nullptr;
}

} // namespace

void workarounds::installWorkspace() { QAccessible::installFactory(workspaceAccessible); }

} // namespace tolvaren
