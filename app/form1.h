#pragma once
// The main window as a model: the engine's hidden controls, the shortcut editor,
// the menus and buttons, and the windows it owns. The platform's window displays
// this model and forwards the user's actions to its handlers.

#include <string>
#include <vector>

#include "app/app_services.h"
#include "app/form2255.h"
#include "app/window_layout.h"
#include "commontext/form8.h"
#include "editor/editor_controls.h"
#include "editor/shortcut_editor.h"
#include "engine/engine_form.h"
#include "engine/shortcut_engine.h"
#include "storage/settings_names.h"
#include "storage/working_file.h"
#include "tray/help_commands.h"
#include "tray/notification_icon.h"
#include "ui/controls.h"

namespace quorvel {

class Form1 : public EngineForm, public EditorControls {
  public:
    explicit Form1(AppServices& services);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Start-up and shut-down.
    void Form_Load();
    // Any request to close the window; returns true: the close is always refused.
    bool Form_Unload();
    void MenuExit_Click();
    void Command5_Click() { MenuExit_Click(); }
    void RestoreDefaultsM_Click();

    // Options menu and the Calibration panel.
    void RunMinimized_Click();
    void MenuBoost_Click();
    void MenuForce_Click();
    void MenuShow_Click();
    void MenuText_Click();
    void MenuCalibration_Click() { FrameCalibration.visible = true; }
    void Command14_Click() { FrameCalibration.visible = false; }
    void Text2_Change();
    void Check8Stuff();

    // File menu and the Import and Export buttons.
    void FileImport_Click();
    void FileSave_Click();
    void FileSave2_Click();
    void Command9_Click() { FileImport_Click(); }
    void Command10_Click() { FileSave2_Click(); }

    // Window and tray.
    void Command1_Click();  // "Minimize"
    void Command11_Click() { form8.show(); }
    void LoadSamples_Click();
    void MSuggestions_Click() { help.MSuggestions_Click(); }
    void About_Click() { help.About_Click(); }
    void Help2_Click() { help.Help2_Click(); }
    void Command7_Click() { help.Command7_Click(); }
    void showWindow() {
        visible = true;
        bringToFront = true;
    }
    void Form_MouseMove(int xTwips) { icon.Form_MouseMove(xTwips); }
    void Form_Resize() { quorvel::Form_Resize(width, height, layout); }

    std::string caption;
    bool visible = false;
    // Set by each request to show the window, which may be minimised or behind
    // other windows though visible; the platform restores and raises it, once.
    bool bringToFront = false;
    int width = 7275;   // twips
    int height = 7000;  // twips
    EditorLayout layout;

    Button Command1{"Minimize"};
    Button Command5{"Exit"};
    Button Command9{"Import"};
    Button Command10{"Export"};
    Button Command7{"Help"};
    Button Command11{"Common Text"};

    MenuItem FileImport{"File Import "};
    MenuItem FileSave{"File Save"};
    MenuItem FileSave2{"File Save As"};
    MenuItem MSuggestions{"Suggestions"};
    MenuItem MenuExit{"Exit"};
    MenuItem RestoreDefaultsM{"Restore Defaults"};
    MenuItem RunMinimized{"Run Minimized"};
    MenuItem MenuCalibration{"Calibration"};
    MenuItem LoadSamples{"Load Samples"};
    MenuItem About{"About"};
    MenuItem Help2{"Help"};

    Frame FrameCalibration{"Calibration", false};
    Label Label17{
        "Enter Calibration number in Text Box, If the short cut text is missing a letter then "
        "enter a larger number and if the text is taking to long to be written enter a smaller "
        "number in the text box."};
    Button Command14{"OK"};

    ShortcutEngine engine;
    ShortcutEditor editor;
    NotificationIcon icon;
    HelpCommands help;
    Form8 form8;
    Form2255 form2255;

  private:
    bool ask(std::string_view question, MessageButtons buttons = MessageButtons::YesNo);
    WorkingFile& workingFile();
    void loadShortcuts();
    enum class Tell { No, Yes };
    bool carryOverFile(const std::string& path, Tell telling);
    bool writeWorkingFile();
    void tellSaveFailed();
    void nameWorkingFileInSettings();
    void tell(const std::string& message);
    // "n lines of <file> could not be read; " and what became of them.
    void tellUnreadLines(const std::string& path, std::size_t count, const std::string& outcome);
    void flipStoredOption(MenuItem& item, const settings::SettingName& name);
    void toggleWithQuestion(MenuItem& item, std::string_view question);

    AppServices& services_;
    // The one file the list is read from and saved to, found at its first use.
    // Import and Export never change which file it is.
    WorkingFile workingFile_;
    // The list holds changes the working file lacks: a save failed.
    bool unsaved_ = false;
};

}  // namespace quorvel
