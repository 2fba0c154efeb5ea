// The precise theory's satellites, chosen from a small menu that the main
// window and the phenomena window both offer beside their theory box:
// L1.2 corrected by the observed mutual events (the default) or L1.2 as
// published. The choice is the shared state's, so every window follows it.
#pragma once

class QMenu;
class QString;
class QWidget;
class SharedState;

namespace theorymenu {

// The menu ("MenuTheorieL12"): two exclusive actions, "ActionL12Corrigee"
// and "ActionL12Publiee", that follow the state and set it.
QMenu* build(SharedState* state, QWidget* parent);

// The tooltip of the widget that opens the menu, naming the choice in use.
QString tip();

} // namespace theorymenu
