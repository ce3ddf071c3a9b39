#include <CLI/CLI.hpp>
int main(int argc, char** argv) { CLI::App app{"radioprog-cli"}; CLI11_PARSE(app, argc, argv); return 0; }
