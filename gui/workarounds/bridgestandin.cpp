// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/workarounds/bridgestandin.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QList>
#include <QTimer>

namespace tolvaren::workarounds {

namespace {

// Where the bridge answers for every accessible object, the object's id the
// last part of the path below it; and the name of its own connection.
const QString kObjectsPath = QStringLiteral("/org/a11y/atspi/accessible");
const QString kBridgeConnection = QStringLiteral("a11y");

// The bridge tells that it is active just before it puts its object on the
// bus, within the same call: the stand-ins stand once that call is over.
class BridgeWatch : public QAccessible::ActivationObserver {
  public:
    QList<void (*)()> stands;

    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            for (void (*stand)() : stands)
                QTimer::singleShot(0, qApp, stand);
    }
};

} // namespace

QAccessibleInterface *addressedObject(const QString &path)
{
    if (!path.startsWith(kObjectsPath + u'/'))
        return nullptr;
    bool ok = false;
    const QAccessible::Id id = path.mid(kObjectsPath.size() + 1).toUInt(&ok);
    return ok ? QAccessible::accessibleInterface(id) : nullptr;
}

void standInFront(bool (*standsThere)(QObject *), BridgeStandIn *(*make)(QDBusVirtualObject *))
{
    QDBusConnection bus(kBridgeConnection);
    auto *bridge = qobject_cast<QDBusVirtualObject *>(bus.objectRegisteredAt(kObjectsPath));
    if (!bridge) {
        // Qt has moved its bridge (another connection name or path): the
        // readers hear Qt's own answers, and the tests must find out.
        static const bool told = (qWarning("Tolvaren: no accessibility bridge at %s on the connection \"%s\" to "
                                           "stand in front of; readers are told what Qt tells them",
                                           qPrintable(kObjectsPath), qPrintable(kBridgeConnection)),
                                  true);
        Q_UNUSED(told);
        return;
    }
    for (QObject *o = bridge; o; o = o->parent())
        if (standsThere(o))
            return;
    BridgeStandIn *standIn = make(bridge);
    bus.unregisterObject(kObjectsPath);
    if (!bus.registerVirtualObject(kObjectsPath, standIn, QDBusConnection::SubPath)) {
        delete standIn;
        bus.registerVirtualObject(kObjectsPath, bridge, QDBusConnection::SubPath);
    }
}

void watchBridge(void (*stand)())
{
    static BridgeWatch watch;
    if (watch.stands.contains(stand))
        return;
    watch.stands.append(stand);
    QAccessible::installActivationObserver(&watch);
    // Active already, the bridge may have put its object there before now.
    // Otherwise nothing is asked of D-Bus: that alone starts its thread.
    if (QAccessible::isActive())
        QTimer::singleShot(0, qApp, stand);
}

} // namespace tolvaren::workarounds
