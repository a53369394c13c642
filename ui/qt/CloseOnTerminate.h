#pragma once
// A session that ends (or `kill`) asks the game to stop with SIGTERM. Outside a modal box the
// game then closes its window as Alt+X does and leaves with status 0; while a box waits for an
// answer it ends at once, as it did before, so that no flow is cut short halfway.

#include <functional>

namespace quenlow {

// Installs the handler; `closeGame` runs on the window's thread. Call once, after the
// application object exists.
void CloseOnTerminate(std::function<void()> closeGame);

}  // namespace quenlow
