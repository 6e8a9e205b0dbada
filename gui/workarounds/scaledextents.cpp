// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Places on screen under a scale factor. Qt's bridge to the accessibility
// bus tells assistive technology where an object or a character is in
// Qt's own scaled units, while the screen and every other program count in
// the screen's pixels (seen in 6.4.2 and 6.8.2): under QT_SCALE_FACTOR=1.25
// a window 413 x 350 pixels large at (125, 63) is said to be 330 x 280 at
// (100, 50). Qt 6.4.2 also takes a point asked about (what lies there,
// which character) in its own units; 6.8.2 takes it in pixels, as it
// should. A magnifier or a reader's mouse review then looks in the wrong
// place. To see it: start any Qt widget with QT_SCALE_FACTOR=1.25 and
// compare the extents of its window through AT-SPI with xwininfo's, and
// ask for the object at the middle of a control. No Qt bug report known.
// Here the bridge's object on the bus is put behind one that answers where
// an object or a character is in the screen's pixels, turns the points
// asked about into Qt's units where Qt needs that, and passes every other
// message on unchanged.

#include "gui/workarounds/parts.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <optional>

namespace tolvaren::workarounds {

namespace {

bool scalePlaces = false; // the places Qt tells
bool scalePoints = false; // the points Qt is asked about

const QString kObjectsPath = QStringLiteral("/org/a11y/atspi/accessible");
const QString kBridgeConnection = QStringLiteral("a11y");
const QString kComponent = QStringLiteral("org.a11y.atspi.Component");
const QString kText = QStringLiteral("org.a11y.atspi.Text");
constexpr uint kWindowCoordinates = 1; // else the screen's

QAccessibleInterface *addressed(const QString &path)
{
    if (!path.startsWith(kObjectsPath + u'/'))
        return nullptr;
    bool ok = false;
    const QAccessible::Id id = path.mid(kObjectsPath.size() + 1).toUInt(&ok);
    return ok ? QAccessible::accessibleInterface(id) : nullptr;
}

// The screen an object is on, with Qt's scale there; its pixels start where
// its scaled units do.
struct Scale {
    QPointF origin;
    qreal factor = 1;
    QPoint windowOrigin; // of the object's window, in Qt's units

    QPoint toPixels(QPoint p) const { return ((QPointF(p) - origin) * factor + origin).toPoint(); }
    QPoint fromPixels(QPoint p) const { return ((QPointF(p) - origin) / factor + origin).toPoint(); }
    // From Qt's units on the screen to the screen's pixels, on the screen or
    // in the window as asked.
    QRect toPixels(const QRect &r, uint coordinates) const
    {
        const QRect onScreen(toPixels(r.topLeft()), (QSizeF(r.size()) * factor).toSize());
        return coordinates == kWindowCoordinates ? onScreen.translated(-toPixels(windowOrigin)) : onScreen;
    }
};

// Where the object's window is, when it is scaled; nothing to do otherwise.
std::optional<Scale> scaleOf(QAccessibleInterface *object)
{
    QWindow *window = object->window();
    QScreen *screen = window ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen || screen->devicePixelRatio() == 1)
        return std::nullopt;
    return Scale{screen->geometry().topLeft(), screen->devicePixelRatio(),
                 window ? window->geometry().topLeft() : QPoint()};
}

class ScaledPlaces : public QDBusVirtualObject {
  public:
    explicit ScaledPlaces(QDBusVirtualObject *bridge) : QDBusVirtualObject(bridge), m_bridge(bridge) {}

    QString introspect(const QString &path) const override { return m_bridge->introspect(path); }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        QAccessibleInterface *object = addressed(message.path());
        const std::optional<Scale> scale = object && object->isValid() ? scaleOf(object) : std::nullopt;
        if (!scale)
            return m_bridge->handleMessage(message, connection);
        const QString &member = message.member();
        const QList<QVariant> args = message.arguments();
        if (scalePlaces && message.interface() == kComponent && args.size() == 1) {
            const QRect r = scale->toPixels(object->rect(), args[0].toUInt());
            if (member == u"GetExtents")
                return connection.send(message.createReply(QVariant::fromValue(r)));
            if (member == u"GetPosition")
                return connection.send(message.createReply(QList<QVariant>{r.x(), r.y()}));
            if (member == u"GetSize")
                return connection.send(message.createReply(QList<QVariant>{r.width(), r.height()}));
        }
        if (scalePlaces && message.interface() == kText && member == u"GetCharacterExtents" && args.size() == 2 &&
            object->textInterface()) {
            const QRect r = scale->toPixels(object->textInterface()->characterRect(args[0].toInt()), args[1].toUInt());
            return connection.send(message.createReply(QList<QVariant>{r.x(), r.y(), r.width(), r.height()}));
        }
        // A point asked about: in Qt's units, the bridge answers rightly.
        const bool atPoint =
            (message.interface() == kComponent && (member == u"Contains" || member == u"GetAccessibleAtPoint")) ||
            (message.interface() == kText && member == u"GetOffsetAtPoint");
        if (scalePoints && atPoint && args.size() == 3) {
            const uint coordinates = args[2].toUInt();
            const QPoint base = coordinates == kWindowCoordinates ? scale->toPixels(scale->windowOrigin) : QPoint();
            QPoint p = scale->fromPixels(QPoint(args[0].toInt(), args[1].toInt()) + base);
            if (coordinates == kWindowCoordinates)
                p -= scale->windowOrigin;
            QDBusMessage asked = message;
            asked.setArguments({p.x(), p.y(), coordinates});
            return m_bridge->handleMessage(asked, connection);
        }
        return m_bridge->handleMessage(message, connection);
    }

  private:
    QDBusVirtualObject *m_bridge;
};

void standInFront()
{
    QDBusConnection bus(kBridgeConnection);
    auto *bridge = qobject_cast<QDBusVirtualObject *>(bus.objectRegisteredAt(kObjectsPath));
    if (!bridge || dynamic_cast<ScaledPlaces *>(bridge))
        return;
    auto *scaled = new ScaledPlaces(bridge);
    bus.unregisterObject(kObjectsPath);
    if (!bus.registerVirtualObject(kObjectsPath, scaled, QDBusConnection::SubPath)) {
        delete scaled;
        bus.registerVirtualObject(kObjectsPath, bridge, QDBusConnection::SubPath);
    }
}

class BridgeWatch : public QAccessible::ActivationObserver {
  public:
    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            QTimer::singleShot(0, qApp, standInFront);
    }
};

} // namespace

namespace {

void watchBridge()
{
    static BridgeWatch watch;
    QAccessible::installActivationObserver(&watch);
    if (QAccessible::isActive())
        QTimer::singleShot(0, qApp, standInFront);
}

} // namespace

void installScaledExtents()
{
    scalePlaces = true;
    watchBridge();
}

void installScaledPoints()
{
    scalePoints = true;
    watchBridge();
}

} // namespace tolvaren::workarounds
