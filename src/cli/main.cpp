// vorpel-cli: checks and converts level files from the command line.
#include <cstdio>

int main(int argc, char** argv) {
    (void)argv;
    if (argc < 2) {
        std::fprintf(stderr, "usage: vorpel-cli verify FILE... | snapshot FILE\n");
        return 2;
    }
    return 2;
}
