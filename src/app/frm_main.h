// The main window of LXT.
#pragma once

class QApplication;

namespace lxt {

// Loads the catalogue, shows the main window and runs the event loop.
int RunMainWindow(QApplication& app);

}  // namespace lxt
