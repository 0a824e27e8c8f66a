// Entry point of the Linux build: hands the command line to the platform's
// host, which sets up the device and runs the program on it.
#include <cstdio>

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::printf("Quillet Pro: this build has no screen yet.\n");
    return 0;
}
