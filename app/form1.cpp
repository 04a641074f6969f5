#include "app/form1.h"

#include "editor/samples.h"
#include "engine/product_info.h"

namespace quorvel {

Form1::Form1(AppServices& services)
    : caption(std::string(product::VersionedName) + " - " + std::string(product::WebDomain)),
      engine(*this, services.engine),
      editor(*this, List1, services.dialogs, services.engine.events, [this] { FileSave_Click(); }),
      icon(services.tray, [this] { showWindow(); }),
      help(services.engine.programs, services.dialogs),
      form8(services.settings, services.dialogs, services.engine.clipboard, services.collation),
      form2255(services.settings, services.files, services.environment, services.links,
               services.dialogs, [this] { showWindow(); }),
      services_(services),
      workingFile_(services.files, services.codePage) {
    Text2.onChange = [this] { Text2_Change(); };
}

bool Form1::ask(std::string_view question, MessageButtons buttons) {
    return services_.dialogs.MsgBox(question, buttons, product::ApplicationTitle) ==
           MessageAnswer::Yes;
}

void Form1::Command1_Click() {
    visible = false;
    icon.IconTray();
}

void Form1::LoadSamples_Click() {
    loadSamples(List1, services_.dialogs);
}

}  // namespace quorvel
