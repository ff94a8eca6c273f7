// kombinator-cli: the Kombinator engine from the command line.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--help") == 0) {
        std::puts("usage: kombinator-cli COMMAND ...");
        return 0;
    }
    std::fputs("usage: kombinator-cli COMMAND ... (see --help)\n", stderr);
    return 64;
}
