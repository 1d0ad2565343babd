#include "config/AboutPage.h"

#include "resources/DialogIds.h"

bool AboutPage::create(HWND parent)
{
    return createModeless(IDD_ABOUT, parent);
}
