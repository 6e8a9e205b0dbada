// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

// Standing in front of Qt's bridge to the accessibility bus, for the
// workarounds that answer some of its messages themselves: the object the
// bridge puts on the bus is put behind a stand-in, which hands it every
// message it does not answer.

#include <QDBusVirtualObject>

class QAccessibleInterface;

namespace tolvaren::workarounds {

// The object a message to `path` is addressed to, found as the bridge finds
// it; null where there is none.
QAccessibleInterface *addressedObject(const QString &path);

// Stands where the bridge stood on the bus, and is its child.
class BridgeStandIn : public QDBusVirtualObject {
  public:
    explicit BridgeStandIn(QDBusVirtualObject *bridge) : QDBusVirtualObject(bridge), m_bridge(bridge) {}
    QString introspect(const QString &path) const override { return m_bridge->introspect(path); }

  protected:
    bool passOn(const QDBusMessage &message, const QDBusConnection &connection)
    {
        return m_bridge->handleMessage(message, connection);
    }

  private:
    QDBusVirtualObject *m_bridge;
};

// Puts what `make` gives in front of what is on the bus now, unless
// `standsThere` finds one there already, maybe behind other stand-ins: each
// wraps, and is the child of, what stood there before it. So each stands
// once, however often the bridge comes back.
void standInFront(bool (*standsThere)(QObject *), BridgeStandIn *(*make)(QDBusVirtualObject *));

template <class StandIn> void standInFront()
{
    standInFront([](QObject *o) { return dynamic_cast<StandIn *>(o) != nullptr; },
                 [](QDBusVirtualObject *bridge) -> BridgeStandIn * { return new StandIn(bridge); });
}

// Calls `stand` once the bridge has put its object on the bus, and each time
// it does again; at once if it is active already.
void watchBridge(void (*stand)());

} // namespace tolvaren::workarounds
