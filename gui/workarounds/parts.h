// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

// What each workaround file gives installQtWorkarounds(); nothing outside
// this folder uses it.

class QAccessibleEvent;
class QObject;

namespace tolvaren::workarounds {

void installTextBoxes();
void installLists();
void installItemViews();
void installWorkspace();
void installMenus();
void installButtons();
void installDialogs();
void installFixedSizeOnWayland();
void installRangeExtents();
void installPixmapCache();
void installScaledExtents();
void installScaledPoints();
void installSetSize();
void installArrowedPicks();

// Whether `event` tells of `edit`'s text, caret or selection; never for
// a null `edit`.
bool isTextNewsOf(const QAccessibleEvent *event, const QObject *edit);

// Events a reader would hear as noise; the update handler drops them.
bool isStaleSelection(QAccessibleEvent *event);
bool isMenuFocusBounce(QAccessibleEvent *event);
bool isFocusBeforeMenu(QAccessibleEvent *event);
bool isHeldFocus(QAccessibleEvent *event);
bool isActivationUnchanged(QAccessibleEvent *event);
bool isHideOfWhatGoes(QAccessibleEvent *event);
bool isClosedListSelection(QAccessibleEvent *event);
bool isArrowedPickText(QAccessibleEvent *event);
bool isDropDownPickRetold(QAccessibleEvent *event);
bool isValueOfListAway(QAccessibleEvent *event);
bool isPickBeforeFocus(QAccessibleEvent *event);

} // namespace tolvaren::workarounds
