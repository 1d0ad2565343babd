#include "family/FamilyPageHost.h"

#include <cstdio>
#include <vector>

#include "family/PageCommands.h"
#include "resources/DialogIds.h"

using HostHandler = Dialog::Handler<FamilyPageHost>;

const HostHandler FamilyPageHost::handlers[] = {
    HostHandler::forMessage(PageCommandPreview, &FamilyPageHost::onPreview),
    HostHandler::forMessage(PageCommandRestoreDefaults, &FamilyPageHost::onRestoreDefaults),
};

bool FamilyPageHost::create(const RECT& rect, const std::string& executablePath, HWND parent)
{
    if (!createPage(IDD_FAMILY_PAGE_HOST, parent, rect))
        return false;
    return startGuest(executablePath);
}

bool FamilyPageHost::startGuest(const std::string& executablePath)
{
    // The guest parses "-1:" and our handle after its own quoted path.
    char argument[32];
    std::snprintf(argument, sizeof argument, "-1:%lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hwnd())));
    const std::string line = "\"" + executablePath + "\" " + argument;
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(executablePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process))
        return false;
    const KernelHandle thread(process.hThread);  // not needed: closed on return
    guest_.reset(process.hProcess);
    return true;
}

INT_PTR FamilyPageHost::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = 0;
    if (handle(handlers, message, wParam, lParam, result))
        return result;
    // A close request goes on to the guest, then gets the default processing.
    if (message == WM_CLOSE)
        sendToGuest(WM_CLOSE);
    return Dialog::dialogProc(message, wParam, lParam);
}

bool FamilyPageHost::sendToGuest(UINT message) const
{
    HWND page = GetWindow(hwnd(), GW_CHILD);
    if (!page)
        return true;
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(page, message, 0, 0, SMTO_NORMAL, answerTimeoutMs, &answer) != 0;
}

LRESULT FamilyPageHost::onPreview(WPARAM, LPARAM)
{
    sendToGuest(PageCommandPreview);
    return 0;
}

LRESULT FamilyPageHost::onRestoreDefaults(WPARAM, LPARAM)
{
    sendToGuest(PageCommandRestoreDefaults);
    return 0;
}

// The guest's page saves its values and ends its program when it closes. One that
// does not answer is ended here, before the system would wait on it to take its
// window down with ours.
void FamilyPageHost::onDestroy()
{
    if (!sendToGuest(WM_CLOSE) && guest_) {
        TerminateProcess(guest_.get(), 1);
        WaitForSingleObject(guest_.get(), answerTimeoutMs);
    }
    guest_.reset();
}
