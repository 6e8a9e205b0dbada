// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// News told by a hidden label. Qt 6.4 has no way to tell screen readers
// news away from the focus: QAccessibleAnnouncementEvent came with Qt 6.8,
// reaching the desktop as object:announcement, which Orca 48 and 51 say as
// the bare text. Without it, a notification that comes on screen is what a
// reader presents while the focus stays on the control that was used; Orca
// says "notification" and its text. To see it: Qt 6.4.2's qaccessible.h
// has neither QAccessible::Announcement nor QAccessibleAnnouncementEvent.

#include "gui/workarounds/announcer.h"

#include "gui/workarounds/faults.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QString>
#include <QTimer>

namespace tolvaren::workarounds {

namespace {

const char *const kAnnouncer = "announcer";

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

bool qtLacksAnnouncement()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    return true;
#else
    return runningQtHas(Fault::NoAnnouncement);
#endif
}

void announceByLabel(QWidget *window, const QString &text)
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
    // Told once what is already waiting has been handled, as Qt's own
    // announcement is (see announce()).
    QTimer::singleShot(0, label, [label] {
        QAccessibleEvent shown(label, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    });
}

} // namespace tolvaren::workarounds
