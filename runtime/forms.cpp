#include "runtime/forms.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace tolvaren {

Forms &Forms::instance()
{
    static Forms forms;
    return forms;
}

void Forms::registerForm(const QString &name, Factory factory, bool mdiChild)
{
    Entry &e = m_entries[name];
    e.factory = std::move(factory);
    e.mdiChild = mdiChild;
}

void Forms::setMdiArea(QMdiArea *area) { m_mdiArea = area; }

QWidget *Forms::loadedForm(const QString &name) const
{
    const auto it = m_entries.constFind(name);
    return it == m_entries.cend() ? nullptr : it->widget.data();
}

QStringList Forms::loadedNames() const
{
    QStringList names;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
        if (it->widget)
            names << it.key();
    names.sort();
    return names;
}

QWidget *Forms::form(const QString &name)
{
    const auto it = m_entries.find(name);
    if (it == m_entries.end())
        return nullptr;
    if (it->widget)
        return it->widget;

    QWidget *w = it->factory();
    w->setObjectName(name);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    it->widget = w;
    if (auto *loadable = dynamic_cast<Loadable *>(w))
        loadable->Form_Load();
    return w;
}

void Forms::show(const QString &name)
{
    QWidget *w = form(name);
    if (!w)
        return;
    Entry &e = m_entries[name];
    if (e.mdiChild && m_mdiArea && !e.frame) {
        // No close, minimise or maximise buttons of its own: closing the
        // only child would leave no way back to any converter.
        auto *frame = new QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        frame->setWidget(w);
        // The frame keeps no title of its own, so a maximised child does not
        // rewrite the main window's caption to "... - [child]".
        frame->setWindowTitle(QString());
        frame->setAccessibleName(w->windowTitle());
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->setSystemMenu(nullptr);
        frame->setOption(QMdiSubWindow::RubberBandResize);
        m_mdiArea->addSubWindow(frame);
        e.frame = frame;
        frame->show();
        m_mdiArea->setActiveSubWindow(frame);
        return;
    }
    w->show();
}

void Forms::showModal(const QString &name)
{
    QWidget *w = form(name);
    if (!w)
        return;
    if (auto *dialog = qobject_cast<QDialog *>(w)) {
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->exec();
    }
    // A modal form that was closed by its window's close box is gone too.
    unload(name);
}

void Forms::maximize(const QString &name)
{
    const auto it = m_entries.constFind(name);
    if (it == m_entries.cend())
        return;
    if (it->frame)
        it->frame->showMaximized();
    else if (it->widget)
        it->widget->showMaximized();
}

void Forms::unload(const QString &name)
{
    const auto it = m_entries.find(name);
    if (it == m_entries.end() || !it->widget)
        return;
    QPointer<QWidget> w = it->widget;
    QPointer<QMdiSubWindow> frame = it->frame;
    it->widget.clear();
    it->frame.clear();
    // The handler that unloads a form usually runs inside one of its own
    // controls, so the widgets go once that handler has returned; until then
    // they are hidden and no longer reachable by name.
    if (frame) {
        frame->hide();
        if (m_mdiArea)
            m_mdiArea->removeSubWindow(frame);
        frame->deleteLater();
    } else if (w) {
        w->hide();
        w->deleteLater();
    }
}

void Forms::unloadOwner(QWidget *widget)
{
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        QWidget *f = it->widget;
        if (f && (f == widget || f->isAncestorOf(widget))) {
            unload(it.key());
            return;
        }
    }
}

void Forms::unloadAll()
{
    for (const QString &name : loadedNames())
        unload(name);
}

QMdiSubWindow *Forms::subWindow(const QString &name) const
{
    const auto it = m_entries.constFind(name);
    return it == m_entries.cend() ? nullptr : it->frame.data();
}

} // namespace tolvaren
