#pragma once
// Fatal and start-up messages. They go to stderr as "CAPTION: text" and never block;
// tests can read back what was shown.
#include <string>
#include <vector>

namespace platform {

void ShowMessageBox(const std::string& caption, const std::string& text);

struct ShownMessage {
    std::string caption;
    std::string text;
};
// Every message shown so far (tests clear it).
std::vector<ShownMessage>& ShownMessages();

}  // namespace platform
