// Starts a program as the kernel alone would, and says why the kernel refused it: unlike a
// shell or execvp, it never retries a refused program as a shell script, and it tells the
// errors apart by their value, not by words that change with the shell and the locale.
// scripts/common.sh runs its i386 probe through it.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: exec-errno PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    execv(argv[1], argv + 1);
    const int error = errno;
    const char* name = error == ENOEXEC ? "ENOEXEC" : error == ENOENT ? "ENOENT" : "other";
    std::printf("exec failed: %s: %s\n", name, std::strerror(error));
    return 127;
}
