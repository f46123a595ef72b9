// tera: cuts text into tokens, one per line, and marks sentence starts and ends.
#include "tera/tera_main.h"

extern char** environ;

int main(int argc, char** argv) { return vaarikas::tera::TeraMain(argc, argv, environ); }
