#include "app/window_layout.h"

namespace quorvel {

namespace {
void setIfValid(int& target, int value) {
    if (value >= 0) {
        target = value;
    }
}
}  // namespace

void followSize(int windowWidth, int windowHeight, EditorLayout& layout) {
    setIfValid(layout.frameWidth, windowWidth - 350);
    setIfValid(layout.innerWidth, layout.frameWidth - 500);
    setIfValid(layout.listWidth, layout.frameWidth - 500);
    setIfValid(layout.shortcutTextWidth, layout.innerWidth - 2400);
    setIfValid(layout.innerHeight, windowHeight - 3490);
    setIfValid(layout.listHeight, windowHeight - 3490);
    setIfValid(layout.frameHeight, windowHeight - 1050);
}

}  // namespace quorvel
