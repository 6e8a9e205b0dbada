// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The place on screen of a range of text, as assistive technology asks for
// it. Qt's bridge (6.4.2 and 6.8.2) to the accessibility bus answers GetRangeExtents by
// asking the text for the place of every offset from the range's start to
// its end as named, however far past the text it runs: 0 to 2147483647
// never ends (the counter cannot pass the largest int) and holds the
// program at full CPU for good; -1 to 100000 asks 100002 times. To see it:
// getRangeExtents(0, 2147483647, 0) on a text box through AT-SPI. No Qt bug
// report known. Here the bridge's object on the bus is put behind one that
// passes every message on unchanged, but for that request, whose offsets it
// first clamps to the text addressed.

#include "gui/workarounds/parts.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QTimer>

#include <algorithm>

namespace tolvaren::workarounds {

namespace {

// Where the bridge answers for every accessible object, the object's id the
// last part of the path below it; and the name of its own connection.
const QString kObjectsPath = QStringLiteral("/org/a11y/atspi/accessible");
const QString kBridgeConnection = QStringLiteral("a11y");

// The text interface of the object a message is addressed to, found as the
// bridge finds it; null where there is none.
QAccessibleTextInterface *addressedText(const QString &path)
{
    if (!path.startsWith(kObjectsPath + u'/'))
        return nullptr;
    bool ok = false;
    const QAccessible::Id id = path.mid(kObjectsPath.size() + 1).toUInt(&ok);
    QAccessibleInterface *object = ok ? QAccessible::accessibleInterface(id) : nullptr;
    return object ? object->textInterface() : nullptr;
}

// The request with its range inside the text: an end of -1 means the
// text's end, as before. The answer for any range that was inside already
// stays as it was.
QDBusMessage clampedRange(const QDBusMessage &request)
{
    QAccessibleTextInterface *text = addressedText(request.path());
    QList<QVariant> arguments = request.arguments();
    if (!text || arguments.size() != 3)
        return request;
    const int length = text->characterCount();
    const int end = arguments.at(1).toInt();
    arguments[0] = std::clamp(arguments.at(0).toInt(), 0, length);
    arguments[1] = end == -1 ? length : std::clamp(end, 0, length);
    // A copy keeps the sender and serial the answer goes back to.
    QDBusMessage clamped = request;
    clamped.setArguments(arguments);
    return clamped;
}

// Stands where the bridge stood on the bus and hands it every message.
class RangeClamp : public QDBusVirtualObject {
  public:
    explicit RangeClamp(QDBusVirtualObject *bridge) : QDBusVirtualObject(bridge), m_bridge(bridge) {}

    QString introspect(const QString &path) const override { return m_bridge->introspect(path); }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.interface() == u"org.a11y.atspi.Text" && message.member() == u"GetRangeExtents")
            return m_bridge->handleMessage(clampedRange(message), connection);
        return m_bridge->handleMessage(message, connection);
    }

  private:
    QDBusVirtualObject *m_bridge;
};

// Once the bridge has put its object on the bus, this one takes its place.
void standInFront()
{
    QDBusConnection bus(kBridgeConnection);
    auto *bridge = qobject_cast<QDBusVirtualObject *>(bus.objectRegisteredAt(kObjectsPath));
    if (!bridge || dynamic_cast<RangeClamp *>(bridge))
        return;
    auto *clamp = new RangeClamp(bridge);
    bus.unregisterObject(kObjectsPath);
    if (!bus.registerVirtualObject(kObjectsPath, clamp, QDBusConnection::SubPath)) {
        delete clamp;
        bus.registerVirtualObject(kObjectsPath, bridge, QDBusConnection::SubPath);
    }
}

// The bridge tells that it is active just before it puts its object on the
// bus, within the same call.
class BridgeWatch : public QAccessible::ActivationObserver {
  public:
    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            QTimer::singleShot(0, qApp, standInFront);
    }
};

} // namespace

void installRangeExtents()
{
    static BridgeWatch watch;
    QAccessible::installActivationObserver(&watch);
    // Active already, the bridge may have put its object there before now.
    // Otherwise nothing is asked of D-Bus: that alone starts its thread.
    if (QAccessible::isActive())
        QTimer::singleShot(0, qApp, standInFront);
}

} // namespace tolvaren::workarounds
