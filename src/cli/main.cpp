#include <cstdio>

int main() {
    std::puts("varmelo-cli");
    return 0;
}
