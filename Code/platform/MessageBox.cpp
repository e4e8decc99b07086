#include "platform/MessageBox.h"

#include <cstdio>

namespace platform {

std::vector<ShownMessage>& ShownMessages() {
    static std::vector<ShownMessage> messages;
    return messages;
}

void ShowMessageBox(const std::string& caption, const std::string& text) { ShowMessageBox(caption, text, ""); }

void ShowMessageBox(const std::string& caption, const std::string& text, const std::string& detail) {
    if (detail.empty()) std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    else std::fprintf(stderr, "%s: %s (%s)\n", caption.c_str(), text.c_str(), detail.c_str());
    std::fflush(stderr);
    ShownMessages().push_back({caption, text, detail});
}

}  // namespace platform
