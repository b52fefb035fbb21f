// racima-tabelio: the command-line front end on the same core as the window.
#include <cstdio>

int main() {
    std::puts("racima-tabelio: en construcción");
    return 0;
}
