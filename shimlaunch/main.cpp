// shimlaunch: whatever starts this program ends up starting the browser.
// It opens no window and shows nothing; the shell's answer is its exit code
// (greater than 32 when the browser was started).
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The name is relative on purpose: the shell looks for it as for any
  // program (working directory, registered application paths, search path).
  // Our own command line is not passed on.
  const HINSTANCE result =
      ShellExecuteA(nullptr, "open", "KOVRA.EXE", nullptr, nullptr, SW_SHOWNORMAL);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}
