// Prints a markup document or a framed message record by record; see
// vux_dumper.h.
#include <cstdio>
#include <string>
#include "toolkit/vux_dumper.h"

int main(int argc, char** argv) {
    std::string out, err;
    int code = vux_dump_main(argc, argv, out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return code;
}
