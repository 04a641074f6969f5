#include "platform/win32/win32_shell_links.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "platform/win32/com_objects.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

bool Win32ShellLinks::createLink(std::string_view linkPath, std::string_view programPath) {
    const std::wstring link = wideText(linkPath);
    const std::wstring program = wideText(programPath);
    const auto separator = program.find_last_of(L'\\');
    if (link.empty() || separator == std::wstring::npos) {
        return false;
    }
    const std::wstring folder = program.substr(0, separator);

    const ComApartment apartment;
    if (!apartment) {
        return false;
    }
    ComPointer<IShellLinkW> shellLink;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  shellLink.put())) ||
        FAILED(shellLink->SetPath(program.c_str())) ||
        FAILED(shellLink->SetWorkingDirectory(folder.c_str()))) {
        return false;
    }
    ComPointer<IPersistFile> file;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.put()))) {
        return false;
    }
    return SUCCEEDED(file->Save(link.c_str(), TRUE));
}

}  // namespace quorvel
