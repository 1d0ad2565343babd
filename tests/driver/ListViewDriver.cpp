#include "tests/driver/ListViewDriver.h"

#include <commctrl.h>

namespace driver {

namespace {
const char* const kLinkCommands[] = {"http\\shell\\open\\command", "https\\shell\\open\\command"};

// A block of the list's process memory holding one LVITEMA and its text buffer.
class RemoteItem {
public:
    explicit RemoteItem(HWND list)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(list, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            block_ = static_cast<char*>(
                VirtualAllocEx(process_, nullptr, sizeof(LVITEMA) + kText, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteItem()
    {
        if (block_)
            VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    RemoteItem(const RemoteItem&) = delete;
    RemoteItem& operator=(const RemoteItem&) = delete;

    bool ok() const { return block_ != nullptr; }
    LPARAM item() const { return reinterpret_cast<LPARAM>(block_); }
    char* text() const { return block_ + sizeof(LVITEMA); }
    bool write(const LVITEMA& item) const
    {
        return WriteProcessMemory(process_, block_, &item, sizeof item, nullptr) != FALSE;
    }
    std::string readText() const
    {
        char text[kText] = {};
        ReadProcessMemory(process_, this->text(), text, sizeof text - 1, nullptr);
        return text;
    }

    static const int kText = 256;

private:
    HANDLE process_ = nullptr;
    char* block_ = nullptr;
};
}

int listCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string listItemText(HWND list, int index)
{
    RemoteItem remote(list);
    LVITEMA item = {};
    item.pszText = remote.text();
    item.cchTextMax = RemoteItem::kText;
    if (!remote.ok() || !remote.write(item))
        return "";
    SendMessageA(list, LVM_GETITEMTEXTA, index, remote.item());
    return remote.readText();
}

bool selectListItem(HWND list, int index)
{
    RemoteItem remote(list);
    LVITEMA item = {};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    return remote.ok() && remote.write(item) && SendMessageA(list, LVM_SETITEMSTATE, index, remote.item()) != 0;
}

WebLinkHandler::WebLinkHandler(const std::string& command)
{
    for (int i = 0; i < 2; ++i) {
        RegCreateKeyExA(HKEY_CLASSES_ROOT, kLinkCommands[i], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &keys_[i],
                        nullptr);
        char previous[1024] = {};
        DWORD size = sizeof previous - 1;
        had_[i] = RegQueryValueExA(keys_[i], nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(previous), &size) ==
                  ERROR_SUCCESS;
        previous_[i] = previous;
        RegSetValueExA(keys_[i], nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
    }
}

WebLinkHandler::~WebLinkHandler()
{
    for (int i = 0; i < 2; ++i) {
        if (had_[i])
            RegSetValueExA(keys_[i], nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_[i].c_str()),
                           static_cast<DWORD>(previous_[i].size() + 1));
        else
            RegDeleteValueA(keys_[i], nullptr);
        RegCloseKey(keys_[i]);
    }
}

}  // namespace driver
