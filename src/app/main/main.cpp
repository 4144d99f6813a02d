// Program entry. Everything lives in the app library, so that tests can drive the same start-up.
#include "app/ui/QuarryShell.h"

int main(int argc, char** argv) { return quarry::runQuarry(argc, argv); }
