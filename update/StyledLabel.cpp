#include "update/StyledLabel.h"

#include <string>

namespace {
UINT alignmentFormat(LONG_PTR style)
{
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return DT_CENTER;
    case SS_RIGHT:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

// The text with its rectangle moved by offset in both directions.
void drawTextAt(HDC dc, const std::wstring& text, RECT rect, int offset, COLORREF colour, UINT format)
{
    OffsetRect(&rect, offset, offset);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), -1, &rect, format);
}

// Titles come in any script: the text is read and drawn in UTF-16.
std::wstring windowText(HWND hwnd)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()))));
    return text;
}
}

bool StyledLabel::setStyle(COLORREF colour, int height, const char* faceName, bool bold, bool italic, bool underline,
                           bool strikeOut, bool emboss)
{
    colour_ = colour;
    emboss_ = emboss;
    font_.reset();
    if (height == 0 && hwnd()) {
        RECT client;
        GetClientRect(hwnd(), &client);
        height = client.bottom - client.top;
    }
    if (faceName) {
        font_.reset(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, strikeOut,
                                DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, faceName));
    }
    if (hwnd())
        InvalidateRect(hwnd(), nullptr, TRUE);
    return !faceName || static_cast<bool>(font_);
}

LRESULT StyledLabel::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    static const MessageEntry<StyledLabel> messages[] = {
        {WM_ERASEBKGND, &StyledLabel::onEraseBackground},
        {WM_PAINT, &StyledLabel::onPaint},
        {WM_SETTEXT, &StyledLabel::onSetText},
    };
    return dispatch(messages, message, wParam, lParam);
}

LRESULT StyledLabel::onEraseBackground(WPARAM wParam, LPARAM)
{
    RECT client;
    GetClientRect(hwnd(), &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
}

LRESULT StyledLabel::onPaint(WPARAM, LPARAM)
{
    const LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
    const UINT format = DT_TOP | DT_WORDBREAK | alignmentFormat(style) | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    const std::wstring text = windowText(hwnd());
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    RECT client;
    GetClientRect(hwnd(), &client);
    HGDIOBJ oldFont = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(ANSI_VAR_FONT));
    SetBkMode(dc, TRANSPARENT);
    if (emboss_) {
        drawTextAt(dc, text, client, -1, GetSysColor(COLOR_BTNHIGHLIGHT), format);
        drawTextAt(dc, text, client, +1, GetSysColor(COLOR_BTNSHADOW), format);
    }
    drawTextAt(dc, text, client, 0, colour_, format);
    SelectObject(dc, oldFont);
    EndPaint(hwnd(), &paint);
    return 0;
}

// The static control would paint the new text itself; paint it our way at once.
LRESULT StyledLabel::onSetText(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = defaultProc(WM_SETTEXT, wParam, lParam);
    InvalidateRect(hwnd(), nullptr, TRUE);
    UpdateWindow(hwnd());
    return result;
}
