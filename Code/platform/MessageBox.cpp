#include "platform/MessageBox.h"

#include <cstdio>

namespace platform {

std::vector<ShownMessage>& ShownMessages() {
    static std::vector<ShownMessage> messages;
    return messages;
}

void ShowMessageBox(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    ShownMessages().push_back({caption, text});
}

}  // namespace platform
