/* Preloaded into morvik-cli by the program tests: any attempt to resolve a
 * name or open a socket ends the process with status 99 and says so, so a
 * run without --resolve proves that nothing reached for the network. */

#include <stdio.h>
#include <unistd.h>

struct addrinfo;
struct hostent;

static void Refuse(const char* what) {
  fprintf(stderr, "no-network shim: %s called\n", what);
  _exit(99);
}

int getaddrinfo(const char* node, const char* service, const struct addrinfo* hints,
                struct addrinfo** result) {
  (void)node, (void)service, (void)hints, (void)result;
  Refuse("getaddrinfo");
  return -1;
}

struct hostent* gethostbyname(const char* name) {
  (void)name;
  Refuse("gethostbyname");
  return NULL;
}

int socket(int domain, int type, int protocol) {
  (void)domain, (void)type, (void)protocol;
  Refuse("socket");
  return -1;
}
