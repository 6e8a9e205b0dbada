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

#include "gui/workarounds/bridgestandin.h"
#include "gui/workarounds/parts.h"

#include <QAccessible>
#include <QDBusMessage>

#include <algorithm>

namespace tolvaren::workarounds {

namespace {

// The request with its range inside the text: an end of -1 means the
// text's end, as before. The answer for any range that was inside already
// stays as it was.
QDBusMessage clampedRange(const QDBusMessage &request)
{
    QAccessibleInterface *object = addressedObject(request.path());
    QAccessibleTextInterface *text = object ? object->textInterface() : nullptr;
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

class RangeClamp : public BridgeStandIn {
  public:
    using BridgeStandIn::BridgeStandIn;

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.interface() == u"org.a11y.atspi.Text" && message.member() == u"GetRangeExtents")
            return passOn(clampedRange(message), connection);
        return passOn(message, connection);
    }
};

} // namespace

void installRangeExtents() { watchBridge(standInFront<RangeClamp>); }

} // namespace tolvaren::workarounds
