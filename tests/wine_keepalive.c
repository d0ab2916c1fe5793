/* Stays alive for the whole test run so that the Wine session (server,
   services, desktop) is started once instead of once per test.

   It says "ready" only once it could create a window. The first window of a
   session starts the desktop process, and where 32-bit code runs emulated
   that can take longer than Wine waits for it: the window is then refused,
   and so is every later one in that process. The session script then starts
   another keep-alive process, which finds the desktop running. */
#include <stdio.h>
#include <windows.h>

static int CanCreateAWindow(void) {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
  if (window == NULL) return 0;
  DestroyWindow(window);
  return 1;
}

int main(void) {
  if (!CanCreateAWindow()) {
    puts("no desktop: no window could be created");
    fflush(stdout);
    return 1;
  }
  puts("ready");
  fflush(stdout);
  for (;;) Sleep(60000);
}
