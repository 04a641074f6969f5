#include "editor/samples.h"

#include <string>

#include "platform/product_info.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

void tell(Dialogs& dialogs, std::string_view message) {
    dialogs.showMessage(message, MessageButtons::Ok, product::ApplicationTitle);
}

}  // namespace

std::vector<ShortcutEntry> sampleEntries() {
    using enum LaunchMode;
    const std::string openSamplePage =
        "%(run=explorer.exe " + std::string(product::SamplePage) + ")%";
    // The list's separator inside a text shows as "-" in the display line.
    const std::string sep(EntrySeparator);
    return {
        {Space, true, "TD", "Today is %(date)% at %(Time)%."},
        {Tab, false, "CU", "%(run=calc.exe)%"},
        {Space, false, "SI", openSamplePage},
        {Space, false, "SP", "This is a sample \r\nI hope you like it"},
        {FunctionKey, false, "{F10}", "%(CLIPBOARD TEXT)% Samples "},
        {FunctionKey, false, "{F9}", "Full Name\r\n777 Street Name\r\nCity Name, CA 90210"},
        {FunctionKey, false, "{Ctrl}{F9}",
         "This is a sample of Ctrl" + sep + "F9 \r\nI hope you like it"},
        {FunctionKey, false, "{Shift}{F9}",
         "This is a sample  of Shift" + sep + "F9 \r\nI hope you like it"},
        {FunctionKey, false, "{Alt}{F9}",
         "This is a sample  of Alt" + sep + "F9\r\nI hope you like it"},
        {FunctionKey, false, "{Ctrl}{Shift}{F9}",
         "This is a sample  of Ctrl" + sep + "Shift" + sep + "F9\r\nI hope you like it"},
        {FunctionKey, false, "{F2}", openSamplePage},
        {FunctionKey, false, "{F4}",
         "This{tab}is{tab} a sample with tabs and enters I hope you like it{ENTER}{ENTER}You can "
         "always email " +
             std::string(product::SuggestionsEmail)},
        {FunctionKey, false, "{F11}", "{ }{TAB}"},
    };
}

void loadSamples(ShortcutList& list, Dialogs& dialogs) {
    for (const ShortcutEntry& sample : sampleEntries()) {
        list.add(formatEntryLine(sample));
    }
    tell(dialogs,
         "Open Notepad to test the Sample Keys. \r\n\r\n"
         "The F11 Hot Key will Check or UnCheck Check Boxes that are in a Column or a row. You "
         "May have to add extra tabs depending on the Data After each check box.\r\n\r\n"
         "If you need more help making Hotkeys then send an email to " +
             std::string(product::SupportEmail));
}

void offerSamples(ShortcutList& list, Dialogs& dialogs) {
    if (dialogs.showMessage("Load Samples?", MessageButtons::YesNo, product::ApplicationTitle) !=
        MessageAnswer::Yes) {
        return;
    }
    loadSamples(list, dialogs);
    tell(dialogs,
         "You can click and then edit these samples. Then click the Add ShortCut Button to use "
         "it.");
}

}  // namespace quorvel
