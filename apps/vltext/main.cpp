#include <cstdio>
int main() { std::puts("vltext"); return 0; }
