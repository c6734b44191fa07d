#pragma once
// Start-up timing: with RASCHET_TIMING=1 in the environment, a window reports on stdout, once, the
// moment its first paint has finished, as "RASCHET_SHOWN <nanoseconds since the epoch>". The timing
// harness in bench/ reads it; without the variable nothing happens.

class QWidget;

namespace shell {

inline constexpr const char* kShownMarker = "RASCHET_SHOWN";

void ReportFirstShowWhenTimed(QWidget* window);

} // namespace shell
