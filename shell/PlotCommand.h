#pragma once
namespace shell {
// Adds the host command PLOT (the current drawing to a PDF or PNG file).
void registerPlotCommand();
} // namespace shell
