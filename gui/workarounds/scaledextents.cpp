// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Places on screen under a scale factor. Qt's bridge to the accessibility
// bus tells assistive technology where an object, a character or a range
// of text is in Qt's own scaled units, while the screen and every other
// program count in the screen's pixels (seen in 6.4.2 and 6.8.2): under
// QT_SCALE_FACTOR=1.25 a window 250 x 125 pixels large at (125, 75) is said
// to be 200 x 100 at (100, 60). It takes a point asked about (what lies
// there, whether an object holds it, which character) in its own units
// too: there, a text box 150 x 38 pixels large at (175, 113) holds the
// points (140..259, 90..119), so the middle of its pixels, (250, 131), is
// not in it. A
// magnifier or a reader's mouse review then looks in the wrong place. To
// see it: start any Qt widget with QT_SCALE_FACTOR=1.25, compare the
// extents of its window through AT-SPI with xwininfo's, and ask for the
// object at the middle of a control. No Qt bug report known.
// Here the bridge's object on the bus is put behind one that answers where
// an object, a character or a range is in the screen's pixels, turns the
// points asked about into Qt's units on the screen, and passes every other
// message on unchanged. Qt 6.4.2 takes points and places relative to the
// window as if they were on the screen; asking it in screen units alone
// gives the same answer on every Qt.

#include "gui/workarounds/bridgestandin.h"
#include "gui/workarounds/parts.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <optional>

namespace tolvaren::workarounds {

namespace {

bool scalePlaces = false; // the places Qt tells
bool scalePoints = false; // the points Qt is asked about

const QString kComponent = QStringLiteral("org.a11y.atspi.Component");
const QString kText = QStringLiteral("org.a11y.atspi.Text");
// What a place or a point is relative to, as assistive technology names it.
constexpr uint kScreenCoordinates = 0;
constexpr uint kWindowCoordinates = 1;
constexpr uint kParentCoordinates = 2;

// The screen an object is on, with Qt's scale there; its pixels start where
// its scaled units do.
struct Scale {
    QPointF origin;
    qreal factor = 1;
    QPoint windowOrigin; // of the object's window, in Qt's units
    QPoint parentOrigin; // of the object's parent, in Qt's units

    QPoint toPixels(QPoint p) const { return ((QPointF(p) - origin) * factor + origin).toPoint(); }
    QPoint fromPixels(QPoint p) const { return ((QPointF(p) - origin) / factor + origin).toPoint(); }
    // In the screen's pixels, where the places told in `coordinates` start.
    QPoint base(uint coordinates) const
    {
        if (coordinates == kWindowCoordinates)
            return toPixels(windowOrigin);
        if (coordinates == kParentCoordinates)
            return toPixels(parentOrigin);
        return {};
    }
    // From Qt's units on the screen to the screen's pixels, relative to what
    // was asked.
    QRect toPixels(const QRect &r, uint coordinates) const
    {
        return QRect(toPixels(r.topLeft()), (QSizeF(r.size()) * factor).toSize()).translated(-base(coordinates));
    }
    // From a point in the screen's pixels, relative to what was asked, to
    // Qt's units on the screen.
    QPoint fromPixels(QPoint p, uint coordinates) const { return fromPixels(p + base(coordinates)); }
};

// Where the object's window is, when it is scaled; nothing to do otherwise.
std::optional<Scale> scaleOf(QAccessibleInterface *object)
{
    QWindow *window = object->window();
    QScreen *screen = window ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen || screen->devicePixelRatio() == 1)
        return std::nullopt;
    QAccessibleInterface *parent = object->parent();
    return Scale{screen->geometry().topLeft(), screen->devicePixelRatio(),
                 window ? window->geometry().topLeft() : QPoint(), parent ? parent->rect().topLeft() : QPoint()};
}

// The place of the characters from `start` to `end` as the bridge takes
// them (the character at `end` too), the range first kept inside the
// text: asked offset by offset, a range far past the text would take for
// ever. Null where the range holds nothing.
QRect rangeRect(QAccessibleTextInterface *text, int start, int end)
{
    const int length = text->characterCount();
    end = end == -1 ? length : std::clamp(end, 0, length);
    start = std::clamp(start, 0, length);
    QRect r;
    for (int i = start; end > start && i <= end; ++i)
        r |= text->characterRect(i);
    return r;
}

QList<QVariant> rectReply(const QRect &r) { return {r.x(), r.y(), r.width(), r.height()}; }

class ScaledPlaces : public BridgeStandIn {
  public:
    using BridgeStandIn::BridgeStandIn;

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        QAccessibleInterface *object = addressedObject(message.path());
        const std::optional<Scale> scale = object && object->isValid() ? scaleOf(object) : std::nullopt;
        if (!scale)
            return passOn(message, connection);
        const QString &member = message.member();
        const QList<QVariant> args = message.arguments();
        const uint coordinates = args.isEmpty() ? kScreenCoordinates : args.last().toUInt();
        // What Qt refuses to answer, it refuses.
        if (coordinates > kParentCoordinates)
            return passOn(message, connection);
        if (scalePlaces && message.interface() == kComponent) {
            const QRect r = scale->toPixels(object->rect(), coordinates);
            if (member == u"GetExtents" && args.size() == 1)
                return connection.send(message.createReply(QVariant::fromValue(r)));
            if (member == u"GetPosition" && args.size() == 1)
                return connection.send(message.createReply(QList<QVariant>{r.x(), r.y()}));
            if (member == u"GetSize") // asked with no coordinates, or with some
                return connection.send(message.createReply(QList<QVariant>{r.width(), r.height()}));
        }
        QAccessibleTextInterface *text = object->textInterface();
        if (scalePlaces && message.interface() == kText && text) {
            if (member == u"GetCharacterExtents" && args.size() == 2)
                return connection.send(
                    message.createReply(rectReply(scale->toPixels(text->characterRect(args[0].toInt()), coordinates))));
            if (member == u"GetRangeExtents" && args.size() == 3) {
                const QRect r = rangeRect(text, args[0].toInt(), args[1].toInt());
                return connection.send(
                    message.createReply(rectReply(r.isNull() ? QRect(-1, -1, 0, 0) : scale->toPixels(r, coordinates))));
            }
        }
        // A point asked about, in Qt's units on the screen: so every Qt
        // answers rightly.
        const bool atPoint =
            (message.interface() == kComponent && (member == u"Contains" || member == u"GetAccessibleAtPoint")) ||
            (message.interface() == kText && member == u"GetOffsetAtPoint");
        if (scalePoints && atPoint && args.size() == 3) {
            const QPoint p = scale->fromPixels(QPoint(args[0].toInt(), args[1].toInt()), coordinates);
            QDBusMessage asked = message;
            asked.setArguments({p.x(), p.y(), kScreenCoordinates});
            return passOn(asked, connection);
        }
        return passOn(message, connection);
    }
};

} // namespace

void installScaledExtents()
{
    scalePlaces = true;
    watchBridge(standInFront<ScaledPlaces>);
}

void installScaledPoints()
{
    scalePoints = true;
    watchBridge(standInFront<ScaledPlaces>);
}

} // namespace tolvaren::workarounds
