#include "app/Startup.h"

int main(int argc, char **argv) { return tickora::ProcessEntry(argc, argv); }
