#include "framework/IParameter.h"
#include "graphics/IControl.h"
#include "graphics/TextEntryInput.h"
#include "graphics/win32/IGraphicsWin.h"

#include <algorithm>
#include <vector>

namespace
{
constexpr int kEntryControlId = 99;
// Marks the EDIT as this framework's entry.
constexpr LONG_PTR kEntryMarker = 0xDEADF00B;
// The text is read in at least 32 bytes, and whole up to the entry's own limit.
constexpr int kShortestReadBuffer = 32;
constexpr int kBoldWeight = 700;
constexpr WORD kCommandNotificationCommit = 1;

COLORREF ToColorRef(const ArgbColour& colour)
{
    return RGB(colour.r, colour.g, colour.b);
}

DWORD AlignmentStyle(int32_t alignment)
{
    if (alignment == TextStyle::kAlignLeft)
        return 0;
    return alignment == TextStyle::kAlignRight ? ES_RIGHT : ES_CENTER;
}

HFONT CreateEntryFont(const TextStyle& style)
{
    return CreateFontA(style.size, 0, 0, 0, style.style == TextStyle::kStyleBold ? kBoldWeight : FW_DONTCARE,
                       style.style == TextStyle::kStyleItalic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, style.face);
}
}

void IGraphicsWin::OpenTextEntry(IControl* control, const TextStyle* style, const Rect* rect, const char* text,
                                 IParameter* param)
{
    if (!control || mTextEntry || !mWindow || !style || !rect)
        return;
    const DWORD windowStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | AlignmentStyle(style->alignment);
    mTextEntry = CreateWindowExA(0, "EDIT", text ? text : "", windowStyle, rect->left, rect->top, rect->Width() + 1,
                                 rect->Height() + 1, mWindow, reinterpret_cast<HMENU>(kEntryControlId), mModule,
                                 nullptr);
    if (!mTextEntry)
        return;
    mEntryFont = CreateEntryFont(*style);
    mEditedControl = control;
    mEditedParam = param;
    SendMessageA(mTextEntry, EM_LIMITTEXT, static_cast<WPARAM>(control->GetTextEntryLength()), 0);
    SendMessageA(mTextEntry, WM_SETFONT, reinterpret_cast<WPARAM>(mEntryFont), 0);
    SendMessageA(mTextEntry, EM_SETSEL, 0, -1);
    mEntryProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(mTextEntry, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextEntryProc)));
    SetWindowLongPtrA(mTextEntry, GWLP_USERDATA, kEntryMarker);
    SetFocus(mTextEntry);
}

void IGraphicsWin::CancelTextEntry()
{
    mEntryState = kEntryCancel;
}

LRESULT CALLBACK IGraphicsWin::TextEntryProc(HWND entry, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* graphics = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(GetParent(entry), GWLP_USERDATA));
    if (!graphics || graphics->mTextEntry != entry || !graphics->mEntryProc)
        return DefWindowProcA(entry, message, wParam, lParam);
    return graphics->HandleEntryMessage(entry, message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleEntryMessage(HWND entry, UINT message, WPARAM wParam, LPARAM lParam)
{
    HideTooltip();
    switch (message)
    {
    case WM_SETFOCUS:
        mEntryState = kEntryFocused;
        break;
    case WM_KILLFOCUS:
        mEntryState = kEntryCommit;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
        {
            mEntryState = kEntryCommit;
            return 0;
        }
        if (wParam == VK_ESCAPE)
        {
            mEntryState = kEntryCancel;
            return 0;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == kCommandNotificationCommit)
            mEntryState = kEntryCommit;
        break;
    case WM_CHAR:
        if (!TextEntryAcceptsCharacter(mEditedParam ? mEditedParam->Type() : kParamTypeNone,
                                       static_cast<uint32_t>(wParam)))
            return 0;
        break;
    case WM_GETDLGCODE:
    {
        LRESULT code = CallWindowProcA(mEntryProc, entry, message, wParam, lParam);
        const auto* asked = reinterpret_cast<const MSG*>(lParam);
        if (!mEditedParam && asked && asked->message == WM_KEYDOWN && asked->wParam == VK_RETURN)
            code |= DLGC_WANTALLKEYS;
        return code;
    }
    default:
        break;
    }
    return CallWindowProcA(mEntryProc, entry, message, wParam, lParam);
}

LRESULT IGraphicsWin::ColourTextEntry(HDC context)
{
    const TextStyle* style = mEditedControl->GetTextStyle();
    SetBkColor(context, ToColorRef(style->entryBackground));
    SetTextColor(context, ToColorRef(style->entryText));
    SetBkMode(context, OPAQUE);
    SetDCBrushColor(context, ToColorRef(style->entryBackground));
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

void IGraphicsWin::FinishTextEntry(bool commit)
{
    if (commit)
        CommitTextEntry();
    HWND entry = mTextEntry;
    mTextEntry = nullptr;
    if (entry)
    {
        SetWindowLongPtrA(entry, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mEntryProc));
        DestroyWindow(entry);
    }
    if (mEntryFont)
        DeleteObject(mEntryFont);
    mEntryFont = nullptr;
    mEditedControl = nullptr;
    mEditedParam = nullptr;
    mEntryProc = nullptr;
    mEntryState = kEntryIdle;
}

void IGraphicsWin::CommitTextEntry()
{
    if (!mTextEntry || !mEditedControl)
        return;
    const int size = std::max(kShortestReadBuffer, mEditedControl->GetTextEntryLength() + 1);
    std::vector<char> text(static_cast<size_t>(size), '\0');
    SendMessageA(mTextEntry, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text.data()));
    text.back() = '\0';
    if (!mEditedParam)
    {
        mEditedControl->OnTextEntered(text.data());
        return;
    }
    const double value = TextEntryValue(*mEditedParam, text.data());
    mEditedControl->SetValueFromUserInput(NormaliseParamValue(*mEditedParam, value));
}
