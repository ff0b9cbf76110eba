#pragma once

namespace ykt {

// Waits the given milliseconds while the event loop goes on handling events, so
// the screen stays responsive and queued module events keep arriving. Uses a
// precise one-shot timer; never spins.
void Pause(int milliseconds);

} // namespace ykt
