/* Stays alive for the whole test run so that the Wine session (server,
   services, desktop) is started once instead of once per test. */
#include <stdio.h>
#include <windows.h>

int main(void) {
  puts("ready");
  fflush(stdout);
  for (;;) Sleep(60000);
}
