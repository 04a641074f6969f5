#include "app/window_layout.h"

namespace quorvel {

namespace {
void setIfValid(int& target, int value) {
    if (value >= 0) {
        target = value;
    }
}
}  // namespace

void Form_Resize(int windowWidth, int windowHeight, EditorLayout& layout) {
    setIfValid(layout.frame2Width, windowWidth - 350);
    setIfValid(layout.list0Width, layout.frame2Width - 500);
    setIfValid(layout.list1Width, layout.frame2Width - 500);
    setIfValid(layout.text7Width, layout.list0Width - 2400);
    setIfValid(layout.list0Height, windowHeight - 3490);
    setIfValid(layout.list1Height, windowHeight - 3490);
    setIfValid(layout.frame2Height, windowHeight - 1050);
}

}  // namespace quorvel
