#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QMdiArea;
class QMdiSubWindow;

namespace tolvaren {

// A form with a load handler: run once, when the form is created.
class Loadable {
  public:
    virtual ~Loadable() = default;
    virtual void Form_Load() {}
};

// Forms are single instances reached by name. Referring to a form that is
// not loaded creates it from its design and runs its load handler; unloading
// closes its window and discards it, so the next use starts afresh.
class Forms {
  public:
    using Factory = std::function<QWidget *()>;

    static Forms &instance();

    void registerForm(const QString &name, Factory factory, bool mdiChild);
    // Where MDI children are shown.
    void setMdiArea(QMdiArea *area);

    // The loaded form, loading it first if needed.
    QWidget *form(const QString &name);
    QWidget *loadedForm(const QString &name) const;
    bool isLoaded(const QString &name) const { return loadedForm(name) != nullptr; }
    QStringList loadedNames() const;

    // Show without waiting; an MDI child appears inside the main window.
    void show(const QString &name);
    // Show and wait until the form is unloaded or hidden. Nothing else takes
    // input meanwhile.
    void showModal(const QString &name);
    // Window state 2: maximised; an MDI child fills the main window.
    void maximize(const QString &name);
    void unload(const QString &name);
    // Unloads the form holding `widget` (a form or one of its controls).
    void unloadOwner(QWidget *widget);
    // Unloads every form: the program is ending, or a test starts afresh.
    void unloadAll();

    // The MDI frame around a child form, if it is shown as one.
    QMdiSubWindow *subWindow(const QString &name) const;

  private:
    struct Entry {
        Factory factory;
        bool mdiChild = false;
        QPointer<QWidget> widget;
        QPointer<QMdiSubWindow> frame;
    };
    QHash<QString, Entry> m_entries;
    QPointer<QMdiArea> m_mdiArea;
};

} // namespace tolvaren
