// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// How many rows a list holds. Qt 6.4.2's and 6.8.2's bridge to the
// accessibility bus tells a list's rows and no set size: it answers a
// list's GetAttributes with nothing, and the rows scrolled out of the view
// are, rightly, not showing. A reader that counts only the rows showing
// unless told the set size (Orca 48) then says "List with 6 items" of the
// prefix list's 12. To see it: a bare QListWidget of 12 rows with room for
// 6, its attributes and its rows' states through AT-SPI. Qt 6.11.2 gives a
// list a description of its attributes, but none among them is a set size:
// its GetAttributes is still empty. No Qt bug report known. Here the
// bridge's object on the bus is put behind one that passes every message
// on unchanged, but a list view's GetAttributes where Qt tells no set size,
// which it answers with the list's number of rows as "setsize", beside the
// attributes of its own that Qt would pass on.

#include "gui/workarounds/bridgestandin.h"
#include "gui/workarounds/parts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QHash>

#include <optional>

namespace tolvaren::workarounds {

namespace {

using Attributes = QMap<QString, QString>;
const QString kSetSize = QStringLiteral("setsize");

// The attributes of its own that `object` tells, which Qt's bridge passes
// on as they are.
Attributes ownAttributes(QAccessibleInterface *object)
{
    Attributes own;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (QAccessibleAttributesInterface *told = object->attributesInterface();
        told && told->attributeKeys().contains(QAccessible::Attribute::Custom)) {
        const auto custom = told->attributeValue(QAccessible::Attribute::Custom).value<QHash<QString, QString>>();
        for (auto it = custom.cbegin(); it != custom.cend(); ++it)
            own.insert(it.key(), it.value());
    }
#else
    Q_UNUSED(object);
#endif
    return own;
}

// The attributes a reader is to be told of the list view a message is
// addressed to, its set size among them; none for anything else, or for a
// list that tells its set size itself.
std::optional<Attributes> listAttributes(const QString &path)
{
    QAccessibleInterface *object = addressedObject(path);
    if (!object || !object->isValid() || object->role() != QAccessible::List)
        return std::nullopt;
    // A drop-down's list is counted whole by the reader already.
    auto *view = qobject_cast<QAbstractItemView *>(object->object());
    if (!view || !view->model() ||
        (view->parentWidget() && view->parentWidget()->inherits("QComboBoxPrivateContainer")))
        return std::nullopt;
    Attributes told = ownAttributes(object);
    if (told.contains(kSetSize))
        return std::nullopt;
    told.insert(kSetSize, QString::number(view->model()->rowCount(view->rootIndex())));
    return told;
}

class SetSizeTold : public BridgeStandIn {
  public:
    using BridgeStandIn::BridgeStandIn;

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.interface() == u"org.a11y.atspi.Accessible" && message.member() == u"GetAttributes")
            if (const std::optional<Attributes> told = listAttributes(message.path()))
                return connection.send(message.createReply(QVariant::fromValue(*told)));
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
