// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// How many rows a list holds. Qt 6.4.2's and 6.8.2's bridge to the
// accessibility bus tells a list's rows and no set size: it answers a
// list's GetAttributes with nothing, and the rows scrolled out of the view
// are, rightly, not showing. A reader that counts only the rows showing
// unless told the set size (Orca 48) then says "List with 6 items" of the
// prefix list's 12. To see it: a bare QListWidget of 12 rows with room for
// 6, its attributes and its rows' states through AT-SPI. No Qt bug report
// known. Here the bridge's object on the bus is put behind one that passes
// every message on unchanged, but a list view's GetAttributes, which it
// answers with the list's number of rows as "setsize".

#include "gui/workarounds/bridgestandin.h"
#include "gui/workarounds/parts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>

#include <optional>

namespace tolvaren::workarounds {

namespace {

using Attributes = QMap<QString, QString>;

// The rows of the list view a message is addressed to; none for anything
// else, or for a list that tells its own attributes.
std::optional<int> rowsOfList(const QString &path)
{
    QAccessibleInterface *object = addressedObject(path);
    if (!object || !object->isValid() || object->role() != QAccessible::List)
        return std::nullopt;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (object->attributesInterface())
        return std::nullopt;
#endif
    // A drop-down's list is counted whole by the reader already.
    auto *view = qobject_cast<QAbstractItemView *>(object->object());
    if (!view || !view->model() ||
        (view->parentWidget() && view->parentWidget()->inherits("QComboBoxPrivateContainer")))
        return std::nullopt;
    return view->model()->rowCount(view->rootIndex());
}

class SetSizeTold : public BridgeStandIn {
  public:
    using BridgeStandIn::BridgeStandIn;

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.interface() == u"org.a11y.atspi.Accessible" && message.member() == u"GetAttributes")
            if (const std::optional<int> rows = rowsOfList(message.path()))
                return connection.send(message.createReply(
                    QVariant::fromValue(Attributes{{QStringLiteral("setsize"), QString::number(*rows)}})));
        return passOn(message, connection);
    }
};

} // namespace

void installSetSize()
{
    qDBusRegisterMetaType<Attributes>();
    watchBridge(standInFront<SetSizeTold>);
}

} // namespace tolvaren::workarounds
