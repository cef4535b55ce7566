#include <windows.h>

#include "pages/general/speaker_test_window.h"

#include <mmsystem.h>

#include "res/resource.h"

namespace zv {
namespace {

constexpr int kSpeakerControls[kSpeakerPositions] = {
    IDC_SPEAKER_FRONT_LEFT, IDC_SPEAKER_FRONT_RIGHT, IDC_SPEAKER_REAR_LEFT,
    IDC_SPEAKER_REAR_RIGHT, IDC_SPEAKER_CENTER,      IDC_SPEAKER_SUBWOOFER,
};
constexpr int kSpeakerBitmaps[kSpeakerPositions] = {
    IDB_SPEAKER_FRONT_LEFT, IDB_SPEAKER_FRONT_RIGHT, IDB_SPEAKER_REAR_LEFT,
    IDB_SPEAKER_REAR_RIGHT, IDB_SPEAKER_CENTER,      IDB_SPEAKER_SUBWOOFER,
};

ScreenRect ScreenRectOf(HWND window) {
    RECT r = {};
    if (window) GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

// The screen rectangles of the first count speaker frames.
void SpeakerRects(HWND page, int32_t count, ScreenRect (&rects)[kSpeakerPositions]) {
    for (int32_t i = 0; i < count && i < kSpeakerPositions; ++i)
        rects[i] = ScreenRectOf(GetDlgItem(page, kSpeakerControls[i]));
}

int32_t SpeakerUnderCursor(HWND page, const SpeakerTest& test) {
    ScreenRect rects[kSpeakerPositions] = {};
    int32_t count = test.SpeakerCount();
    SpeakerRects(page, count, rects);
    POINT cursor = {};
    GetCursorPos(&cursor);
    return SpeakerAt(rects, count, {cursor.x, cursor.y});
}

void DrawBitmap(HDC target, HDC memory, HBITMAP bitmap, int x, int y) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(target, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
}

void DrawIndicator(HWND page, HDC target, HDC memory, const SpeakerTest& test, const ScreenRect& pageRect) {
    HBITMAP indicator = LoadBitmapA(ProgramModule(), MAKEINTRESOURCEA(IDB_SPEAKER_PLAYING));
    if (!indicator) return;
    BITMAP info = {};
    GetObjectA(indicator, sizeof info, &info);
    int32_t indexes[2];
    int32_t count = test.IndicatedSpeakers(indexes);
    for (int32_t i = 0; i < count; ++i) {
        if (indexes[i] < 0 || indexes[i] >= kSpeakerPositions) continue;
        ScreenRect speaker = ScreenRectOf(GetDlgItem(page, kSpeakerControls[indexes[i]]));
        ScreenPoint at = IndicatorOrigin(indexes[i], speaker, pageRect, info.bmWidth);
        DrawBitmap(target, memory, indicator, at.x, at.y);
    }
    DeleteObject(indicator);
}

}  // namespace

RECT ControlArea(HWND page, int controlId) {
    RECT area = {};
    HWND control = GetDlgItem(page, controlId);
    if (!control) return area;
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void PaintSpeakerTest(HWND page, const SpeakerTest& test) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(page, &paint);
    ScreenRect pageRect = ScreenRectOf(page);
    HDC memory = CreateCompatibleDC(target);
    for (int32_t i = 0; i < test.SpeakerCount() && i < kSpeakerPositions; ++i) {
        HBITMAP picture = LoadBitmapA(ProgramModule(), MAKEINTRESOURCEA(kSpeakerBitmaps[i]));
        if (!picture) continue;
        ScreenRect frame = ScreenRectOf(GetDlgItem(page, kSpeakerControls[i]));
        DrawBitmap(target, memory, picture, frame.left - pageRect.left, frame.top - pageRect.top);
        DeleteObject(picture);
    }
    if (test.Playing()) DrawIndicator(page, target, memory, test, pageRect);
    DeleteDC(memory);
    EndPaint(page, &paint);
}

bool SetSpeakerCursor(HWND page, const SpeakerTest& test) {
    if (SpeakerUnderCursor(page, test) < 0) return false;
    SetCursor(LoadCursorA(ProgramModule(), MAKEINTRESOURCEA(IDCUR_SPEAKER)));
    return true;
}

void ClickSpeaker(HWND page, const SpeakerTest& test, int32_t helpRequests) {
    if (helpRequests != 0) return;
    int32_t speaker = SpeakerUnderCursor(page, test);
    if (speaker >= 0) PostMessageA(page, WM_COMMAND, MAKEWPARAM(kSpeakerControls[speaker], 0), 0);
}

std::string Win32SpeakerTestWindow::ProgramFileName() {
    char name[256] = {};
    GetModuleFileNameA(nullptr, name, sizeof name - 1);
    return name;
}

void Win32SpeakerTestWindow::BeginWait() { cursor_.Begin(); }
void Win32SpeakerTestWindow::EndWait() { cursor_.End(); }

void Win32SpeakerTestWindow::RedrawTestBox(WindowHandle window) {
    HWND page = static_cast<HWND>(window);
    if (!page || !GetDlgItem(page, IDC_SPEAKER_TEST_BOX)) return;
    RECT box = ControlArea(page, IDC_SPEAKER_TEST_BOX);
    InvalidateRect(page, &box, TRUE);
}

void Win32SpeakerTestWindow::ShowMciError(WindowHandle owner, uint32_t code) {
    char text[256] = {};
    mciGetErrorStringA(code, text, sizeof text);
    ShowMessageText(static_cast<HWND>(owner), text, MB_ICONERROR | MB_OK);
}

// The pause between two speakers blocks the thread as the build does, but without keeping a core busy.
void Win32SpeakerTestWindow::WaitSeconds(uint32_t seconds) { Sleep(seconds * 1000); }

}  // namespace zv
