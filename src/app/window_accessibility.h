// Screen readers meet the program's own top-level windows (Settings, Help) as windows with
// their titles as names, not as anonymous parts of the main window.
#pragma once

class QWidget;

namespace lxt {

// Marks `window` as a top-level window for screen readers, named by its title (also when
// the title changes later).
void MakeAccessibleWindow(QWidget& window);

}  // namespace lxt
