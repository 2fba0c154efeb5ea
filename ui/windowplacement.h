// A window that reopens where and as large as it was left: its geometry is
// kept in the settings when it is hidden or closed, and given back when it
// is created, never larger than the screen nor off it. A missing or damaged
// value leaves the window's own size.
#pragma once

#include <QString>

class QWidget;

namespace windowplacement {

void track(QWidget* window, const QString& settingsKey);
// Shrinks and moves a window into the available part of its screen.
void keepOnScreen(QWidget* window);

} // namespace windowplacement
