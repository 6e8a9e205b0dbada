// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/workarounds/faults.h"

#include "gui/workarounds/parts.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace tolvaren::workarounds {

namespace {

// Each fault as seen in bare Qt widgets, the way its file says to see it
// (the window tests' qtfaults_test does it for the Qt they are built with).
// A fault found on a new Qt, or found gone, is one line here; a new fault is
// a line here and a name in faults.h, in the same place.
// clang-format off
constexpr std::array kFaults = {
    QtFault{Fault::WordAtLeadingBlankLoops, "textboxes.cpp", "word at a leading blank loops", "6.4.2 6.8.2", "6.11.2", installTextBoxes},
    QtFault{Fault::AttributesAsEmptyRanges, "textboxes.cpp", "attributes as empty ranges", "6.4.2 6.8.2 6.11.2", "", installTextBoxes},
    QtFault{Fault::DeselectionAfterFocusLeft, "textboxes.cpp", "deselection told after the focus left", "6.4.2 6.8.2 6.11.2", "", nullptr, isStaleSelection},
    QtFault{Fault::EditableListNamedByText, "lists.cpp", "editable list named by its text", "6.4.2 6.8.2 6.11.2", "", installLists},
    QtFault{Fault::ClosedDropDownItemsVisible, "lists.cpp", "closed drop-down's items visible", "6.4.2 6.8.2 6.11.2", "", installLists},
    QtFault{Fault::ClosedDropDownPickAsSelection, "lists.cpp", "closed drop-down's pick told as its selection", "6.8.2 6.11.2", "6.4.2", nullptr, isClosedListSelection},
    QtFault{Fault::ArrowedPickAsFieldText, "lists.cpp", "arrowed pick told as its field's text too", "6.8.2 6.11.2", "6.4.2", installArrowedPicks, isArrowedPickText},
    QtFault{Fault::DropDownPickRetold, "lists.cpp", "drop-down's pick told again as it closes", "6.8.2 6.11.2", "6.4.2", nullptr, isDropDownPickRetold},
    QtFault{Fault::ValueOfListAwayAsSelection, "lists.cpp", "new value of a list away from the focus told as its selection", "6.4.2 6.8.2 6.11.2", "", nullptr, isValueOfListAway},
    QtFault{Fault::CurrentItemFocusedWithoutFocus, "itemviews.cpp", "current item focused without the focus", "6.4.2 6.8.2 6.11.2", "", installItemViews},
    QtFault{Fault::DropDownPickAfterFocusBack, "itemviews.cpp", "drop-down's pick told after the focus came back", "6.4.2 6.8.2 6.11.2", "", nullptr, isPickBeforeFocus},
    QtFault{Fault::FrameNamedByTitleAlone, "workspace.cpp", "frame named by its title alone", "6.4.2 6.8.2 6.11.2", "", installWorkspace},
    QtFault{Fault::FrameParentViewport, "workspace.cpp", "frame's parent the viewport", "6.4.2 6.8.2 6.11.2", "", installWorkspace},
    QtFault{Fault::WorkspaceLayeredPane, "workspace.cpp", "workspace a layered pane", "6.4.2 6.8.2 6.11.2", "", installWorkspace},
    QtFault{Fault::NextMenuItemHighlightedAtOnce, "menus.cpp", "next menu's first item highlighted at once", "6.4.2 6.8.2 6.11.2", "", installMenus},
    QtFault{Fault::FocusToFormWhileMenuOpen, "menus.cpp", "focus handed to the form while a menu is open or closes to the bar", "6.4.2 6.8.2 6.11.2", "", nullptr, isMenuFocusBounce},
    QtFault{Fault::OpenMenuNotFocused, "menus.cpp", "menu opened with nothing highlighted not focused", "6.4.2 6.8.2 6.11.2", "", installMenus, isFocusBeforeMenu},
    QtFault{Fault::ControllerForClickReceiver, "buttons.cpp", "controller for the receiver of its click", "6.4.2 6.8.2 6.11.2", "", installButtons},
    QtFault{Fault::ModalWindowNotModal, "dialogs.cpp", "modal window not modal", "6.4.2 6.8.2 6.11.2", "", installDialogs},
    QtFault{Fault::MessageBoxIconListed, "dialogs.cpp", "message box icon listed", "6.4.2 6.8.2 6.11.2", "", installDialogs},
    QtFault{Fault::ButtonBoxFocusedBesideButton, "dialogs.cpp", "button box focused beside its button", "6.4.2", "6.8.2 6.11.2", installDialogs},
    QtFault{Fault::MaximiseFixedSizeOnWayland, "fixedsize.cpp", "maximise of a fixed-size window on Wayland", "6.4.2", "6.8.2 6.11.2", installFixedSizeOnWayland},
    QtFault{Fault::TitleCutShortByQtFrame, "frametitle.cpp", "title cut short by the frame Qt draws", "6.4.2 6.8.2", "6.11.2"},
    QtFault{Fault::FocusAtEveryStepOfSwitch, "formswitch.cpp", "focus told at every step of a switch", "6.4.2 6.8.2 6.11.2", "", nullptr, isHeldFocus},
    QtFault{Fault::RangeExtentsByOffset, "rangeextents.cpp", "range extents asked offset by offset", "6.4.2 6.8.2 6.11.2", "", installRangeExtents},
    QtFault{Fault::ActivationAsDropDownOpens, "activation.cpp", "activation told as a drop-down opens", "6.4.2 6.8.2 6.11.2", "", nullptr, isActivationUnchanged},
    QtFault{Fault::WindowActiveBeforeItIs, "keyboardback.cpp", "window told active before it is", "6.4.2 6.8.2 6.11.2", ""},
    QtFault{Fault::PlacesInUnscaledPixels, "scaledextents.cpp", "places told in unscaled pixels", "6.4.2 6.8.2 6.11.2", "", installScaledExtents},
    QtFault{Fault::PointsAsUnscaledPixels, "scaledextents.cpp", "points asked taken as unscaled pixels", "6.4.2 6.8.2 6.11.2", "", installScaledPoints},
    QtFault{Fault::SmoothScalingIndexed8Crashes, "pictures.cpp", "smooth scaling of 8-bit colours crashes", "6.4.2", "6.8.2 6.11.2"},
    QtFault{Fault::PixmapsOfEveryPaletteKept, "pixmapcache.cpp", "pixmaps of every palette kept", "6.4.2 6.11.2", "6.8.2", installPixmapCache},
    QtFault{Fault::HideOfWhatGoes, "hiding.cpp", "hide told of what goes at once", "6.8.2 6.11.2", "6.4.2", nullptr, isHideOfWhatGoes},
    QtFault{Fault::NoSetSizeForList, "setsize.cpp", "no set size told for a list", "6.4.2 6.8.2 6.11.2", "", installSetSize},
    QtFault{Fault::ClosedWindowAskedAfter, "keptwindows.cpp", "closed window asked after by the reader", "6.8.2", ""},
    QtFault{Fault::NoAnnouncement, "announcer.cpp", "no announcement", "6.4.2", "6.8.2 6.11.2"},
};
// clang-format on

// Each row stands at its fault's place, so asking for a fault finds its row.
constexpr bool inOrder()
{
    for (std::size_t i = 0; i < kFaults.size(); ++i)
        if (kFaults[i].id != Fault(i))
            return false;
    return kFaults.size() == std::size_t(Fault::Count);
}
static_assert(inOrder(), "each fault in faults.h has one row here, in the same order");

} // namespace

std::span<const QtFault> qtFaults() { return kFaults; }

bool hasFault(const QtFault &fault, const QVersionNumber &qt)
{
    // The newest measured version not newer than `qt` says; below them all,
    // the oldest.
    std::vector<std::pair<QVersionNumber, bool>> measured;
    for (const auto &[versions, seen] : {std::pair{fault.seenOn, true}, std::pair{fault.goneOn, false}})
        for (const QString &v : QString::fromLatin1(versions).split(u' ', Qt::SkipEmptyParts))
            measured.emplace_back(QVersionNumber::fromString(v), seen);
    std::ranges::sort(measured);
    if (measured.empty())
        return true;
    const auto above = std::ranges::upper_bound(measured, qt, {}, &std::pair<QVersionNumber, bool>::first);
    return above == measured.begin() ? above->second : std::prev(above)->second;
}

bool runningQtHas(Fault fault)
{
    static const QVersionNumber running = QVersionNumber::fromString(QString::fromLatin1(qVersion()));
    return hasFault(kFaults[std::size_t(fault)], running);
}

} // namespace tolvaren::workarounds
