#pragma once
// Fatal and start-up messages. They go to stderr as one line, "CAPTION: text" or
// "CAPTION: text (detail)", and never block; tests can read back what was shown.
#include <string>
#include <vector>

namespace platform {

void ShowMessageBox(const std::string& caption, const std::string& text);
// The same with what caused it (a path, the window system's own reason); empty: none.
void ShowMessageBox(const std::string& caption, const std::string& text, const std::string& detail);

struct ShownMessage {
    std::string caption;
    std::string text;
    std::string detail;
};
// Every message shown so far (tests clear it).
std::vector<ShownMessage>& ShownMessages();

}  // namespace platform
