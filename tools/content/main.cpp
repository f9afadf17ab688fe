#include <cstdio>

int main() {
    std::fprintf(stderr, "qorvex-content: not built yet\n");
    return 1;
}
