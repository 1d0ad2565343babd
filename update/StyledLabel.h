#pragma once
#include <windows.h>

#include "framework/UniqueHandle.h"
#include "framework/Window.h"

// A static text control that paints its own text: in a chosen font and colour,
// optionally embossed, on the button-face colour. Create it with the system class
// "STATIC"; SS_CENTER or SS_RIGHT in its style choose the alignment.
class StyledLabel : public Window {
public:
    // Height 0 is the control's client height; without a face name the control
    // paints in the stock ANSI_VAR_FONT. False when the font cannot be made.
    bool setStyle(COLORREF colour, int height, const char* faceName, bool bold, bool italic, bool underline,
                  bool strikeOut, bool emboss);

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT onEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT onPaint(WPARAM wParam, LPARAM lParam);
    LRESULT onSetText(WPARAM wParam, LPARAM lParam);

    COLORREF colour_ = RGB(0, 0, 0);
    FontHandle font_;
    bool emboss_ = true;
};
