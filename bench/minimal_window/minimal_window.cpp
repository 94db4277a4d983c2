// The start-up and memory benchmarks' baseline: the least a Win32 program must do to show a
// window like Harpix's with DirectMusic started the same way. It registers one class, creates
// a window of the size given on its command line, starts COM, the loader and the performance
// with InitAudio while the window is being created, shows it and serves messages until closed.
#include <windows.h>
#include <dmusici.h>

#include <cstdlib>

namespace {

const char kClassName[] = "HarpixMinimal";

IDirectMusicLoader8* loader = nullptr;
IDirectMusicPerformance8* performance = nullptr;

// The same calls, with the same arguments, as the engine's Initialize with a standard
// audiopath; a failure is reported by the exit code, as the driver cannot see a message box
// it does not expect.
bool StartDirectMusic(HWND window) {
    CoInitialize(nullptr);
    if (FAILED(CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC,
                                IID_IDirectMusicLoader8, reinterpret_cast<void**>(&loader)))) {
        return false;
    }
    if (FAILED(CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC,
                                IID_IDirectMusicPerformance8,
                                reinterpret_cast<void**>(&performance)))) {
        return false;
    }
    DMUS_AUDIOPARAMS params = {};
    params.dwSize = sizeof params;
    params.fInitNow = TRUE;
    params.dwValidData = DMUS_AUDIOPARAMS_SAMPLERATE;
    params.dwSampleRate = 44100;
    return SUCCEEDED(performance->InitAudio(nullptr, nullptr, window,
                                            DMUS_APATH_SHARED_STEREOPLUSREVERB, 128,
                                            DMUS_AUDIOF_ALL, &params));
}

void StopDirectMusic() {
    if (performance != nullptr) {
        performance->Stop(nullptr, nullptr, 0, 0);
        performance->CloseDown();
        performance->Release();
    }
    if (loader != nullptr) {
        loader->Release();
    }
    CoUninitialize();
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            // -1 makes CreateWindowExA fail, which ends the program with exit code 2.
            return StartDirectMusic(window) ? 0 : -1;
        case WM_DESTROY:
            StopDirectMusic();
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    // "WIDTH HEIGHT": the outer size of the window it stands in for.
    char* rest = nullptr;
    const int width = static_cast<int>(std::strtol(commandLine, &rest, 10));
    const int height = static_cast<int>(std::strtol(rest, nullptr, 10));

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExA(&windowClass);

    // Placed as Harpix places its window, a third of the free room from the top left.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 3;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
    HWND window =
        CreateWindowExA(0, kClassName, "Minimal",
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, left,
                        top, width, height, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 2;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
