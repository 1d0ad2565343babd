#pragma once
#include <windows.h>

#include <string>

// List views and shell handlers of the prefix, for tests that drive another
// process's dialog. A list view's pointer-carrying messages need their structure
// in the owning process's memory, which these calls arrange.
namespace driver {

int listCount(HWND list);
std::string listItemText(HWND list, int index);
// Focuses and selects the entry, as a click on it does.
bool selectListItem(HWND list, int index);

// While it lives, the prefix opens web links (http and https) with command, in
// which %1 stands for the link; afterwards the prefix's own handlers are back.
// Wine's shell reads them from the machine's classes only.
class WebLinkHandler {
public:
    explicit WebLinkHandler(const std::string& command);
    ~WebLinkHandler();
    WebLinkHandler(const WebLinkHandler&) = delete;
    WebLinkHandler& operator=(const WebLinkHandler&) = delete;

private:
    HKEY keys_[2] = {};
    bool had_[2] = {};
    std::string previous_[2];
};

}  // namespace driver
