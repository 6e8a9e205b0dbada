// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QVersionNumber>

#include <span>
#include <string_view>

class QAccessibleEvent;

namespace tolvaren::workarounds {

// The faults of Qt the program works around, each with its row in the
// table, in the table's order.
enum class Fault {
    WordAtLeadingBlankLoops,
    AttributesAsEmptyRanges,
    DeselectionAfterFocusLeft,
    EditableListNamedByText,
    ClosedDropDownItemsVisible,
    ClosedDropDownPickAsSelection,
    ArrowedPickAsFieldText,
    DropDownPickRetold,
    ValueOfListAwayAsSelection,
    CurrentItemFocusedWithoutFocus,
    DropDownPickAfterFocusBack,
    FrameNamedByTitleAlone,
    FrameParentViewport,
    WorkspaceLayeredPane,
    NextMenuItemHighlightedAtOnce,
    FocusToFormWhileMenuOpen,
    OpenMenuNotFocused,
    ControllerForClickReceiver,
    ModalWindowNotModal,
    MessageBoxIconListed,
    ButtonBoxFocusedBesideButton,
    MaximiseFixedSizeOnWayland,
    TitleCutShortByQtFrame,
    FocusAtEveryStepOfSwitch,
    RangeExtentsByOffset,
    ActivationAsDropDownOpens,
    WindowActiveBeforeItIs,
    PlacesInUnscaledPixels,
    PointsAsUnscaledPixels,
    SmoothScalingIndexed8Crashes,
    PixmapsOfEveryPaletteKept,
    HideOfWhatGoes,
    NoSetSizeForList,
    ClosedWindowAskedAfter,
    NoAnnouncement,
    Count
};

// One fault of Qt, the Qt versions it was measured on, and the workaround
// that answers it. Several faults may share one workaround, which is then
// installed where any of them is.
struct QtFault {
    Fault id;
    std::string_view workaround; // its file in this folder
    std::string_view fault;      // what Qt does wrong, in a few words
    std::string_view seenOn;     // Qt versions measured with it, blank between
    std::string_view goneOn;     // Qt versions measured without it, blank between
    void (*install)() = nullptr; // once, when the program starts
    // Events the workaround keeps from the reader.
    bool (*drops)(QAccessibleEvent *event) = nullptr;
};

// Every fault, each measured with bare Qt widgets.
std::span<const QtFault> qtFaults();

// Whether `qt` has `fault`: as on the newest version measured that is not
// newer than `qt`, or below them all, as on the oldest.
bool hasFault(const QtFault &fault, const QVersionNumber &qt);

// Whether the Qt this program runs on has `fault`.
bool runningQtHas(Fault fault);

} // namespace tolvaren::workarounds
