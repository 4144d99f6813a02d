// quarryhl: command-line front end of the highlighting engine; also the build's and
// the benchmarks' harness, so every command is scriptable and exits non-zero on failure.
#include <cstdio>
#include <cstring>

namespace {
int usage()
{
    std::fputs("usage: quarryhl <command> [options]\n", stderr);
    return 2;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    std::fprintf(stderr, "quarryhl: unknown command '%s'\n", argv[1]);
    return usage();
}
