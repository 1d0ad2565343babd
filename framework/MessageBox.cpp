#include "framework/MessageBox.h"

#include "framework/Application.h"

int showMessage(HWND owner, const char* text, UINT type)
{
    return MessageBoxA(owner, text, Application::title().c_str(), type);
}
