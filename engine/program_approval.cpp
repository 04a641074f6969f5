#include "engine/program_approval.h"

namespace quorvel {

std::string shownCommandLine(std::string_view commandLine, std::string_view lineBreak,
                             std::string_view tab) {
    std::string shown;
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        const char c = commandLine[i];
        if (c == '\r' || c == '\n') {
            shown += lineBreak;
            if (c == '\r' && i + 1 < commandLine.size() && commandLine[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\t') {
            shown += tab;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            shown += '^';
            shown += static_cast<char>(c == 0x7F ? '?' : c + '@');
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace quorvel
