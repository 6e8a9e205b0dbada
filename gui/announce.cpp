// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/announce.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QTimer>

namespace tolvaren {

namespace {

const char *const kAnnouncer = "announcer";

// A hidden label that says the news. Qt 6.4 has no announcement of its own
// (it came with Qt 6.8); a notification that comes on screen is what a
// reader presents while the focus stays on the control that was used.
class AnnouncerAccessible : public QAccessibleWidget {
  public:
    explicit AnnouncerAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<QLabel *>(widget())->text() : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *announcerAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLabel") && object->objectName() == QLatin1String(kAnnouncer))
        return new AnnouncerAccessible(static_cast<QLabel *>(object));
    return nullptr;
}

} // namespace

void announce(QWidget *window, const QString &text)
{
    static const bool described = (QAccessible::installFactory(announcerAccessible), true);
    Q_UNUSED(described);
    auto *label = window->findChild<QLabel *>(QLatin1String(kAnnouncer), Qt::FindDirectChildrenOnly);
    if (!label) {
        label = new QLabel(window);
        label->setObjectName(QLatin1String(kAnnouncer));
        label->hide();
    }
    label->setText(text);
    // Told once what is already waiting has been handled: a command from a
    // menu runs as the menu closes, before the focus is told back on the
    // form, and a reader that hears of the focus after the news would
    // present the news first and the place it was heard in after.
    QTimer::singleShot(0, label, [label] {
        QAccessibleEvent shown(label, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    });
}

} // namespace tolvaren
